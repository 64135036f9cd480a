#pragma once

// Helpers shared by the main window's tests: a scratch directory with files
// in it, and catalogues to put there.

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "catalogue/database.h"
#include "catalogue/game_record.h"
#include "ui/common/qt_text.h"

namespace tolm::test {

inline GameRecord Game(const std::string& name, const std::string& publisher = {},
                       std::int32_t year = 0) {
    GameRecord g;
    g.Name = name;
    g.Publisher = publisher;
    g.Year = year;
    return g;
}

// A scratch directory; "%D" in a text stands for its path.
class Scratch {
public:
    Scratch() { QVERIFY(dir_.isValid()); }

    QString path() const { return dir_.path(); }
    std::string str() const { return ui::toStd(dir_.path()); }
    QString expand(QString text) const { return text.replace(QStringLiteral("%D"), path()); }
    QStringList expand(const QStringList& texts) const {
        QStringList out;
        for (const QString& t : texts)
            out << expand(t);
        return out;
    }

    // Creates `relative` (and its directories) holding `bytes`.
    QString write(const QString& relative, const QByteArray& bytes = "x") const {
        const QString full = path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return full;
    }

    void writeDatabase(const GameCatalogue& catalogue, std::int32_t version = 2) const {
        const std::string bytes = DatabaseBytes(catalogue, version);
        write(QStringLiteral("tolm.dat"), QByteArray(bytes.data(), qsizetype(bytes.size())));
    }

    QByteArray read(const QString& relative) const {
        QFile file(path() + QLatin1Char('/') + relative);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    bool exists(const QString& relative) const {
        return QFileInfo::exists(path() + QLatin1Char('/') + relative);
    }

private:
    QTemporaryDir dir_;
};

} // namespace tolm::test
