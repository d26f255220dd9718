#include "result_keeping.h"

#include "print_job_follow_up.h"
#include "result_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace pranoth {

namespace {

class ResultKeeping {
    Q_DECLARE_TR_FUNCTIONS(ResultKeeping)
};

const QString Caption = QStringLiteral("Pranoth");

} // namespace

QString defaultResultPdfPath(const ResultDocumentData &data)
{
    const QDate day = data.completed.isValid() ? data.completed.date() : QDate::currentDate();
    const QString name = ResultKeeping::tr("Pranoth result %1.pdf").arg(day.toString(Qt::ISODate));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

bool saveResultAsPdf(QWidget *parent, const ResultDocumentData &data)
{
    QString proposal = defaultResultPdfPath(data);
    for (;;) {
        QString path =
            QFileDialog::getSaveFileName(parent, ResultKeeping::tr("Save Result as PDF"), proposal,
                                         ResultKeeping::tr("PDF documents (*.pdf)"));
        if (path.isEmpty())
            return false;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
            // The dialog asked about replacing the name without the ending.
            path += QLatin1String(".pdf");
            if (QFileInfo::exists(path) &&
                QMessageBox::question(parent, Caption,
                                      ResultKeeping::tr("\u201c%1\u201d already exists. Do you "
                                                        "want to replace it?")
                                          .arg(QDir::toNativeSeparators(path))) !=
                    QMessageBox::Yes) {
                proposal = path;
                continue;
            }
        }
        const QString failure = writeResultPdf(data, path, preferredPageSize());
        if (failure.isEmpty())
            return true;
        QMessageBox::warning(parent, Caption,
                             failure + QLatin1String("\n\n") +
                                 ResultKeeping::tr("Please choose another place."));
        proposal = path;
    }
}

bool printResultWithDialog(QWidget *parent, const ResultDocumentData &data)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(preferredPageSize());
    printer.setDocName(ResultKeeping::tr("Pranoth result"));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(ResultKeeping::tr("Print Result"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const PrintJobFollowUp job(printer);
    QString failure = printResult(data, printer);
    if (failure.isEmpty())
        failure = job.problem();
    if (failure.isEmpty())
        return true;
    QMessageBox::warning(parent, Caption, failure);
    return false;
}

} // namespace pranoth
