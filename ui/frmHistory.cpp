#include "frmHistory.h"

#include "core/config.h"
#include "core/platform.h"
#include "core/practice_progress.h"
#include "core/practice_session.h"
#include "history_chart.h"
#include "history_model.h"
#include "history_source.h"
#include "link_view.h"
#include "program_resources.h"
#include "qt_text.h"
#include "section_text.h"
#include "window_layout.h"
#include "yoga/asana_catalogue.h"
#include "yoga/session_postures.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace pranoth {

namespace {

// A caption above a control, whose access key moves to it.
QLabel *caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    label->setFont(verdana(8.25, true));
    return label;
}

QWidget *titled(const QString &text, QWidget *content, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(caption(text, content, box));
    layout->addWidget(content, 1);
    return box;
}

} // namespace

frmHistory::frmHistory(HistorySource &source, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), source_(source), platform_(platform)
{
    setObjectName(QStringLiteral("frmHistory"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromLatin1(config::Caption) + QStringLiteral(" - ") + tr("My History"));
    setWindowIcon(programIcon());
    setFont(verdana(8.25));

    model = new HistoryModel(this);
    model->setObjectName(QStringLiteral("model"));

    lblNotice = new QLabel(this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setWordWrap(true);
    lblNotice->setTextFormat(Qt::PlainText);
    describe(lblNotice, tr("About this history"));

    tblResults = new QTableView(this);
    tblResults->setObjectName(QStringLiteral("tblResults"));
    tblResults->setModel(model);
    tblResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblResults->setSelectionMode(QAbstractItemView::SingleSelection);
    tblResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResults->setTabKeyNavigation(false);
    tblResults->setWordWrap(false);
    tblResults->verticalHeader()->hide();
    // Fixed sizes: nothing is measured row by row, however many there are.
    tblResults->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblResults->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblResults->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const QFontMetrics metrics = tblResults->fontMetrics();
    const int chakraWidth = metrics.horizontalAdvance(QStringLiteral("UnderActive 25%")) + 20;
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("30 Sep 2026 23:59")) + 32;
    tblResults->horizontalHeader()->setDefaultSectionSize(chakraWidth);
    tblResults->horizontalHeader()->resizeSection(HistoryModel::DateColumn, dateWidth);
    tblResults->horizontalHeader()->setStretchLastSection(true);
    tblResults->setSortingEnabled(true);
    tblResults->sortByColumn(HistoryModel::DateColumn, Qt::DescendingOrder);
    describe(tblResults,
             tr("Every kept result, newest first: when it was kept and each chakra's verdict"),
             tr("Kept results"));

    sessions = new SessionModel(this);
    sessions->setObjectName(QStringLiteral("sessions"));
    tblSessions = new QTableView(this);
    tblSessions->setObjectName(QStringLiteral("tblSessions"));
    tblSessions->setModel(sessions);
    tblSessions->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSessions->setSelectionMode(QAbstractItemView::SingleSelection);
    tblSessions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSessions->setTabKeyNavigation(false);
    tblSessions->setWordWrap(false);
    tblSessions->verticalHeader()->hide();
    tblSessions->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblSessions->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblSessions->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblSessions->horizontalHeader()->resizeSection(0, dateWidth);
    tblSessions->horizontalHeader()->resizeSection(
        1, metrics.horizontalAdvance(QStringLiteral("88 min 88 s")) + 20);
    tblSessions->horizontalHeader()->setStretchLastSection(true);
    describe(tblSessions,
             tr("Every kept practice session, newest first: when it started, the time practised "
                "and each posture held"),
             tr("Practice sessions"));

    chart = new HistoryChart(*model, *sessions, this);
    chart->setObjectName(QStringLiteral("chart"));
    describe(chart, {}, tr("Trend of each chakra"));

    txtReport = new QTextEdit(this);
    txtReport->setObjectName(QStringLiteral("txtReport"));
    txtReport->setReadOnly(true);
    txtReport->setUndoRedoEnabled(false);
    txtReport->setTabChangesFocus(true);
    describe(txtReport, tr("The selected result's report, as it was shown"), tr("Report"));
    enableLinkClicks(txtReport, [this](const QString &address) { emit linkClicked(address); });

    const auto button = [this](const QString &text, const char *name, const QString &what) {
        auto *pushButton = new QPushButton(text, this);
        pushButton->setObjectName(QLatin1String(name));
        pushButton->setAutoDefault(false);
        describe(pushButton, what);
        return pushButton;
    };
    cmdSavePdf = button(tr("&Save as PDF…"), "cmdSavePdf",
                        tr("Saves the selected result's report as a PDF file"));
    cmdPrint = button(tr("&Print…"), "cmdPrint", tr("Prints the selected result's report"));
    cmdExportCsv = button(tr("E&xport CSV…"), "cmdExportCsv",
                          tr("Saves every kept result's scores and every practice session as a "
                             "spreadsheet file"));
    cmdDelete = button(tr("&Delete"), "cmdDelete", tr("Deletes the selected result"));
    cmdDeleteAll = button(tr("Delete &All"), "cmdDeleteAll",
                          tr("Deletes every kept result and practice session"));
    cmdClose = button(tr("&Close"), "cmdClose", tr("Closes My History"));

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(titled(tr("&Kept results"), tblResults, splitter));
    splitter->addWidget(titled(tr("Practice sess&ions"), tblSessions, splitter));
    // The weeks of practice, beside the chart's practice strip.
    lblWeeks = new QLabel(this);
    lblWeeks->setObjectName(QStringLiteral("lblWeeks"));
    lblWeeks->setTextFormat(Qt::PlainText);
    describe(lblWeeks, tr("Practice sessions this week against the weekly goal, and the weeks in a "
                          "row that met it"));
    auto *trend = new QWidget(this);
    auto *trendLayout = new QVBoxLayout(trend);
    trendLayout->setContentsMargins(0, 0, 0, 0);
    trendLayout->addWidget(chart, 1);
    trendLayout->addWidget(lblWeeks);
    trend->setFocusProxy(chart);
    splitter->addWidget(titled(tr("&Trend"), trend, splitter));
    splitter->addWidget(titled(tr("&Report"), txtReport, splitter));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setStretchFactor(3, 2);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdSavePdf, cmdPrint, cmdExportCsv})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton *b : {cmdDelete, cmdDeleteAll, cmdClose})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblNotice);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    setTabSequence({tblResults, tblSessions, chart, txtReport, cmdSavePdf, cmdPrint, cmdExportCsv,
                    cmdDelete, cmdDeleteAll, cmdClose});
    resize(dateWidth + ChakraCount * chakraWidth + 48, 900);

    connect(tblResults->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });
    connect(tblSessions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updateButtons(); });
    connect(qApp, &QApplication::focusChanged, this, [this](const QWidget *, const QWidget *now) {
        if (now == tblResults || now == tblSessions) {
            sessionsInHand_ = now == tblSessions;
            updateButtons();
        }
    });
    connect(chart, &HistoryChart::rowPicked, this, [this](int row) {
        const QModelIndex index = model->index(model->rowOfTime(row), 0);
        tblResults->setCurrentIndex(index);
        tblResults->scrollTo(index);
    });
    connect(cmdSavePdf, &QPushButton::clicked, this, [this] {
        if (const KeptResult *result = selectedResult())
            emit savePdfRequested(*result);
    });
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        if (const KeptResult *result = selectedResult())
            emit printRequested(*result);
    });
    connect(cmdExportCsv, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] {
        if (sessionsInHand_)
            deleteSelectedSession();
        else
            deleteSelected();
    });
    connect(cmdDeleteAll, &QPushButton::clicked, this, [this] { deleteAll(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    reload();
    showNotice({});
    noticeWhenShown_ = source_.takeNotice();
    noticeTimer_.setSingleShot(true);
    connect(&noticeTimer_, &QTimer::timeout, this,
            [this] { tell(std::exchange(noticeWhenShown_, QString())); });
    centreWhenFirstShown(this);
}

void frmHistory::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (noticeWhenShown_.isEmpty())
        return;
    // Over the window, once it is there.
    noticeTimer_.start(0);
}

void frmHistory::reload()
{
    model->setResults(source_.keptResults());
    std::vector<KeptSession> kept = source_.keptSessions();
    std::vector<std::int64_t> starts(kept.size());
    std::transform(kept.begin(), kept.end(), starts.begin(),
                   [](const KeptSession &session) { return session.startedAtUtc; });
    lblWeeks->setText(fromUtf8(weekProgressText(weekProgress(
        starts, readPracticeSettings(platform_).weeklyGoal, utcSecondsOf(platform_.now())))));
    sessions->setSessions(std::move(kept));
    tblSessions->setCurrentIndex(sessions->index(0, 0));
    selectResult(0);
}

frmHistory::~frmHistory()
{
    // Focus moves while the window's widgets go; this no longer follows it.
    disconnect(qApp, nullptr, this, nullptr);
}

void frmHistory::showNotice(const QString &notice)
{
    QString standing = source_.whyUnavailable();
    if (standing.isEmpty() && model->rowCount() == 0 && sessions->rowCount() == 0)
        standing = tr("Nothing has been kept yet. To keep a result, choose Keep in My History in "
                      "the File menu of the result window.");
    else if (standing.isEmpty() && !source_.canChange())
        standing = tr("This history can be looked at, but not changed.");
    lblNotice->setText(standing);
    lblNotice->setVisible(!standing.isEmpty());
    updateButtons();
    // Told after a change failed.
    if (!notice.isEmpty())
        tell(notice);
}

void frmHistory::tell(const QString &message) const
{
    platform_.showMessage(toUtf8(message), MessageIcon::Warning, MessageButtons::Ok);
}

const KeptResult *frmHistory::selectedResult() const
{
    const QModelIndex current = tblResults->currentIndex();
    if (!current.isValid())
        return nullptr;
    return &model->result(current.row());
}

void frmHistory::selectResult(std::int64_t id)
{
    QModelIndex index;
    for (int row = 0; row < model->rowCount() && id != 0; ++row) {
        if (model->result(row).id == id)
            index = model->index(row, 0);
    }
    if (!index.isValid())
        index = model->index(0, 0);
    tblResults->setCurrentIndex(index);
    if (index.isValid())
        tblResults->scrollTo(index);
    showSelected();
}

void frmHistory::showSelected()
{
    const QModelIndex current = tblResults->currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    chart->setSelectedRow(row >= 0 ? model->timeOfRow(row) : -1);
    if (row >= 0)
        showSections(txtReport, assess(model->result(row).run).report);
    else
        txtReport->clear();
    updateButtons();
}

void frmHistory::updateButtons()
{
    const bool any = model->rowCount() > 0 || sessions->rowCount() > 0;
    const bool selected = selectedResult() != nullptr;
    const bool sessionSelected = tblSessions->currentIndex().isValid();
    cmdSavePdf->setEnabled(selected);
    cmdPrint->setEnabled(selected);
    cmdExportCsv->setEnabled(any);
    cmdDelete->setEnabled((sessionsInHand_ ? sessionSelected : selected) && source_.canChange());
    cmdDelete->setAccessibleDescription(sessionsInHand_
                                            ? tr("Deletes the selected practice session")
                                            : tr("Deletes the selected result"));
    cmdDeleteAll->setEnabled(any && source_.canChange());
}

void frmHistory::deleteSelected()
{
    const KeptResult *result = selectedResult();
    if (!result ||
        !confirm(tr("Delete the result kept on %1? This cannot be undone.")
                     .arg(model->keptOn(model->timeOfRow(tblResults->currentIndex().row())))))
        return;
    const std::int64_t id = result->id;
    const int position = tblResults->currentIndex().row();
    if (const QString failure = source_.remove(id); !failure.isEmpty()) {
        showNotice(failure);
        return;
    }
    model->removeResult(id);
    const QModelIndex next = model->index(std::min(position, model->rowCount() - 1), 0);
    tblResults->setCurrentIndex(next);
    showSelected();
    showNotice({});
}

void frmHistory::deleteSelectedSession()
{
    const QModelIndex current = tblSessions->currentIndex();
    if (!current.isValid())
        return;
    const KeptSession &session = sessions->session(current.row());
    if (!confirm(tr("Delete the practice session of %1? This cannot be undone.")
                     .arg(HistoryModel::localTime(session.startedAtUtc))))
        return;
    const std::int64_t id = session.id;
    if (const QString failure = source_.removeSession(id); !failure.isEmpty()) {
        showNotice(failure);
        return;
    }
    sessions->removeSession(id);
    tblSessions->setCurrentIndex(
        sessions->index(std::min(current.row(), sessions->rowCount() - 1), 0));
    showNotice({});
}

void frmHistory::deleteAll()
{
    const QString question =
        sessions->rowCount() == 0
            ? tr("Delete all %n kept result(s)? This cannot be undone.", nullptr, model->rowCount())
            : tr("Delete all %1 kept results and %2 practice sessions? This cannot be undone.")
                  .arg(model->rowCount())
                  .arg(sessions->rowCount());
    if (!confirm(question))
        return;
    if (const QString failure = source_.removeAll(); !failure.isEmpty()) {
        showNotice(failure);
        return;
    }
    model->clear();
    sessions->setSessions({});
    showSelected();
    showNotice({});
}

bool frmHistory::confirm(const QString &question) const
{
    return platform_.showMessage(toUtf8(question), MessageIcon::Information,
                                 MessageButtons::YesNo) == MessageAnswer::Yes;
}

void frmHistory::exportCsv() const
{
    const auto chosen = platform_.chooseSaveFile(
        toUtf8(tr("Export My History")),
        toUtf8(QDir::homePath() + QLatin1Char('/') + tr("My Pranoth History.csv")),
        toUtf8(tr("CSV files (*.csv)")));
    if (!chosen || chosen->empty())
        return;
    const QString path = fromUtf8(*chosen);
    const std::string csv = keptHistoryCsv(model->results(), sessions->sessions(), [](int asana) {
        return asana >= 0 && asana < SessionPostureCount ? postureRecord(asana).name
                                                         : std::string_view();
    });
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit())
        tell(tr("My History could not be exported to %1: %2").arg(path, file.errorString()));
}

} // namespace pranoth
