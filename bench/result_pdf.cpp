// Saves the largest result document as PDF a number of times and prints the
// time per save: all seven chakras tested and under-active, so the report and
// the yoga part are as long as they get.
//
//   pranoth_result_pdf_bench [SAVES [KEEP.pdf]]
//
// SAVES defaults to 20; KEEP.pdf, when given, keeps a copy of the document.

#include "core/assessment.h"
#include "ui/result_output.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pranoth;

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int saves = args.size() > 1 ? std::max(1, args[1].toInt()) : 20;

    // Every question answered "Not Sure": every chakra under-active.
    CompletedRun run;
    run.tested.fill(true);
    for (int bank = 0; bank < QuestionBankCount; ++bank)
        run.questions.push_back({static_cast<Int16>(bank), keyAnswer(bank), Answer::NotSure});
    const Assessment assessment = assess(run);
    const QDateTime completed(QDate(2026, 12, 7), QTime(9, 30));

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.pdf"));
    std::vector<double> seconds;
    for (int i = 0; i < saves; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QString failure =
            writeResultPdf(assessment, completed, path, QPageSize(QPageSize::A4));
        seconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            return 1;
        }
    }
    if (args.size() > 2) {
        QFile::remove(args[2]);
        QFile::copy(path, args[2]);
    }

    std::sort(seconds.begin(), seconds.end());
    double total = 0;
    for (const double s : seconds)
        total += s;
    std::printf("result PDF, 7 chakras under-active, %lld bytes: %d saves, mean %.3f s, median "
                "%.3f s, min %.3f s, max %.3f s per save (target < 0.5 s)\n",
                static_cast<long long>(QFile(path).size()), saves, total / saves,
                seconds[seconds.size() / 2], seconds.front(), seconds.back());
    return 0;
}
