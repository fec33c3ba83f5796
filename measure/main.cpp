// ctiq-measure: the measurements of the CTIQ windows without the windows, with the
// same numbers as the same texts.
#include "AppError.h"
#include "CommandLine.h"
#include "Commands.h"

#include <QApplication>

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>

namespace {

// Standard error carries the measurement's messages; Qt's notes about the platform it
// draws the report on (no runtime folder, no window manager) are not among them.
void onlyQtFailures(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const CommandLine line = parseCommandLine(argc, argv);
        // Reports draw the windows' charts; they are drawn off any screen.
        std::unique_ptr<QApplication> app;
        if (line.option("--report")) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(onlyQtFailures);
            app = std::make_unique<QApplication>(argc, argv);
        }
        if (line.command == "sspz") return runSspz(line, std::cout);
        if (line.command == "nps") return runNps(line, std::cout);
        if (line.command == "roi") return runRoi(line, std::cout);
        if (line.command == "ttf") return runTtf(line, std::cout);
        if (line.command == "nps2d") return runNps2d(line, std::cout);
        if (line.command == "verify") return runVerify(line, std::cout);
        if (line.command == "dprime") return runDprime(line, std::cout);
        return runHeader(line, std::cout);
    } catch (const UsageError& e) {
        std::cerr << "ctiq-measure: " << e.what() << "\n\n" << UsageText;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
