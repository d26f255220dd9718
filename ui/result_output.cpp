#include "result_output.h"

#include "core/config.h"
#include "document_pages.h"
#include "qt_text.h"
#include "result_document.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace pranoth {

namespace {

class ResultDocument {
    Q_DECLARE_TR_FUNCTIONS(ResultDocument)
};

QString openFailure(const QString &path, const QSaveFile &file)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    const QString where = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.exists())
        return ResultDocument::tr("The result could not be saved: the folder \u201c%1\u201d does "
                                  "not exist.")
            .arg(where);
    if (!folder.isDir())
        return ResultDocument::tr("The result could not be saved: \u201c%1\u201d is not a "
                                  "folder.")
            .arg(where);
    if (!folder.isWritable())
        return ResultDocument::tr("The result could not be saved: you may not write in the "
                                  "folder \u201c%1\u201d.")
            .arg(where);
    return ResultDocument::tr("The result could not be saved as \u201c%1\u201d: %2.")
        .arg(QDir::toNativeSeparators(target.absoluteFilePath()), file.errorString());
}

} // namespace

QPageSize preferredPageSize(const QLocale &locale)
{
    static const QList<QLocale::Territory> letterTerritories{
        QLocale::UnitedStates, QLocale::Canada,      QLocale::Mexico,    QLocale::Chile,
        QLocale::Colombia,     QLocale::Venezuela,   QLocale::CostaRica, QLocale::Guatemala,
        QLocale::Panama,       QLocale::ElSalvador,  QLocale::Nicaragua, QLocale::DominicanRepublic,
        QLocale::PuertoRico,   QLocale::Philippines, QLocale::Belize};
    if (locale.measurementSystem() == QLocale::ImperialUSSystem ||
        letterTerritories.contains(locale.territory()))
        return QPageSize{QPageSize::Letter};
    return QPageSize{QPageSize::A4};
}

QString writeResultPdf(const Assessment &assessment, const QDateTime &completed,
                       const QString &path, const QPageSize &pageSize, const PlanOnPaper &practice)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path, file);
    // The document is made in memory and then written in one piece, so that a
    // write the disk cuts short is seen: the file engine reports a short write
    // as a success, and the PDF writer would go on past it.
    QByteArray pdf;
    {
        QBuffer memory(&pdf);
        memory.open(QIODevice::WriteOnly);
        QPdfWriter writer(&memory);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(ResultDocument::tr("Chakra test result"));
        writer.setCreator(fromLatin1(config::Caption));
        const std::unique_ptr<QTextDocument> document =
            composeResultDocument(assessment, completed, practice);
        QString failure = paintPages(*document, writer);
        if (!failure.isEmpty()) {
            file.cancelWriting();
            return failure;
        }
    }
    const bool whole = file.write(pdf) == pdf.size();
    if (!whole || !file.commit()) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : ResultDocument::tr("only part of it could be written");
        file.cancelWriting();
        return ResultDocument::tr("The result could not be written to \u201c%1\u201d (%2). The "
                                  "disk may be full; a file of that name is left as it was.")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
    }
    return {};
}

QString printResult(const Assessment &assessment, const QDateTime &completed, QPrinter &printer,
                    const PlanOnPaper &practice)
{
    printer.setFullPage(true);
    if (printer.docName().isEmpty())
        printer.setDocName(ResultDocument::tr("Chakra test result"));
    const std::unique_ptr<QTextDocument> document =
        composeResultDocument(assessment, completed, practice);
    return paintPages(*document, printer);
}

} // namespace pranoth
