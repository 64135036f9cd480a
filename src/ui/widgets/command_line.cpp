#include "ui/widgets/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace tolm::ui {

CommandLine
parseCommandLine(const QCoreApplication& app,
                 const std::function<QString(const std::optional<QString>&)>& describe) {
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringList{QStringLiteral("data-dir")},
        QStringLiteral("Keep the catalogue (tolm.dat) and the settings (tolm.ini) in <dir>."),
        QStringLiteral("dir"));
    parser.addOption(dataDir);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Game files or folders to add to the catalogue."),
                                 QStringLiteral("[files...]"));

    CommandLine result;
    if (parser.parse(app.arguments()) && parser.isSet(dataDir))
        result.dataDirectory = QFileInfo(parser.value(dataDir)).absoluteFilePath();
    parser.setApplicationDescription(
        QStringLiteral("Tolm keeps your ZX Spectrum games in one catalogue and starts them in your "
                       "emulator.\n\nCatalogue and settings: ") +
        describe(result.dataDirectory));
    parser.process(app); // prints and exits for --help, --version and errors

    for (const QString& file : parser.positionalArguments())
        result.files.append(QFileInfo(file).absoluteFilePath());
    return result;
}

} // namespace tolm::ui
