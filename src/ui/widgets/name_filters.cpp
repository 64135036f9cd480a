#include "ui/widgets/name_filters.h"

#include <QRegularExpression>
#include <QStringList>

#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {

QString caseInsensitivePattern(const QString& pattern) {
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString out;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower(), upper = c.toUpper();
        if (lower != upper)
            out += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

// The description is shown as it stands; the patterns after it (the part
// the dialog hides) are the ones matched. A pattern list may be separated by
// ";" or "," ("*.jpg,*.jpeg" is two patterns).
QString qtNameFilters(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& listed :
             parts[i + 1].split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts)) {
            const QString pattern = caseInsensitivePattern(listed.trimmed());
            if (!pattern.isEmpty() && !patterns.contains(pattern))
                patterns << pattern;
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace tolm::ui
