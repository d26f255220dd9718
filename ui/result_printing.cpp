#include "result_printing.h"

#include "core/platform.h"
#include "print_job_follow_up.h"
#include "qt_text.h"
#include "result_output.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace pranoth {

namespace {

class ResultPrinting {
    Q_DECLARE_TR_FUNCTIONS(ResultPrinting)
};

} // namespace

QString defaultResultPdfPath(const QDateTime &completed)
{
    const QDate day = completed.isValid() ? completed.date() : QDate::currentDate();
    const QString name = ResultPrinting::tr("Pranoth result %1.pdf").arg(day.toString(Qt::ISODate));
    // The documents folder, else the home folder: never the folder the
    // program happened to be started in.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    return QDir(folder).filePath(name);
}

bool saveResultAsPdf(Platform &platform, const Assessment &assessment, const QDateTime &completed,
                     const std::vector<KeptSession> &sessions)
{
    QString proposal = defaultResultPdfPath(completed);
    for (;;) {
        const auto chosen = platform.chooseSaveFile(
            toUtf8(ResultPrinting::tr("Save Result as PDF")), toUtf8(proposal),
            toUtf8(ResultPrinting::tr("PDF documents (*.pdf)")));
        if (!chosen || chosen->empty())
            return false;
        QString path = fromUtf8(*chosen);
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
            // The dialog asked about replacing the name without the ending.
            path += QLatin1String(".pdf");
            if (QFileInfo::exists(path) &&
                platform.showMessage(toUtf8(ResultPrinting::tr("\u201c%1\u201d already exists. Do "
                                                               "you want to replace it?")
                                                .arg(QDir::toNativeSeparators(path))),
                                     MessageIcon::Question,
                                     MessageButtons::YesNo) != MessageAnswer::Yes) {
                proposal = path;
                continue;
            }
        }
        const QString failure = writeResultPdf(assessment, completed, path, preferredPageSize(),
                                               {readPracticeSettings(platform), sessions});
        if (failure.isEmpty())
            return true;
        platform.showMessage(toUtf8(failure + QLatin1String("\n\n") +
                                    ResultPrinting::tr("Please choose another place.")),
                             MessageIcon::Warning, MessageButtons::Ok);
        proposal = path;
    }
}

bool printResultWithDialog(QWidget *parent, Platform &platform, const Assessment &assessment,
                           const QDateTime &completed, const std::vector<KeptSession> &sessions)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(preferredPageSize());
    printer.setDocName(ResultPrinting::tr("Pranoth result"));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(ResultPrinting::tr("Print Result"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const PrintJobFollowUp job(printer);
    QString failure =
        printResult(assessment, completed, printer, {readPracticeSettings(platform), sessions});
    if (failure.isEmpty())
        failure = job.problem();
    if (failure.isEmpty())
        return true;
    platform.showMessage(toUtf8(failure), MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

} // namespace pranoth
