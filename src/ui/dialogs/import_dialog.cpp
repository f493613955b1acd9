#include "ui/dialogs/import_dialog.h"

#include "core/import/table_source.h"
#include "core/import/tp_match.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "ui/dialogs/source_row.h"
#include "ui/text/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace {

constexpr std::array kTpColumns{channel_column::kFrequency,  channel_column::kPolarization, channel_column::kSymbolRate,
                                channel_column::kSignalType, channel_column::kModulation,   channel_column::kCodeRate};
constexpr std::string_view kPolarizationLetters = "HVLR";
constexpr int kIndexRole = Qt::UserRole;

QTableWidget* makeTable(const QStringList& headers)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// A read-only cell; the first of a row carries the record's index and, when
// `checkable`, a check box.
QTableWidgetItem* cell(const QString& text, int index = -1, std::optional<bool> checked = std::nullopt)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (index >= 0)
        item->setData(kIndexRole, index);
    if (checked) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(*checked ? Qt::Checked : Qt::Unchecked);
    }
    return item;
}

} // namespace

CDlgImport::CDlgImport(const PlanList& plans, const CComonOrbitune* currentPlan, std::int32_t nextPlanNumber,
                       MeterModel model, Prompts& prompts, QWidget* parent)
    : QDialog(parent), plans_(plans), nextPlanNumber_(nextPlanNumber), prompts_(prompts)
{
    if (currentPlan != nullptr)
        currentPlan_ = *currentPlan;
    setWindowTitle(text(msg::kImportTitle));
    buildLayout();
    model_->setCurrentIndex(static_cast<int>(std::ranges::find(kMeterModels, model) - kMeterModels.begin()) %
                            static_cast<int>(kMeterModels.size()));
    resize(1000, 640);
    readFrom(QString::fromStdString(defaultScanFolder().string()));
}

CDlgImport::~CDlgImport()
{
    if (reader_ != nullptr)
        reader_->wait();
}

QString CDlgImport::text(MessageId id, const std::vector<std::string>& args) const
{
    return qtText(prompts_.text(id, args));
}

void CDlgImport::buildLayout()
{
    source_ = new QLineEdit;
    auto* row = sourceRow(prompts_, source_, text(msg::kImportTitle), [this](const QString& path) { readFrom(path); });

    status_ = new QLabel;
    status_->setWordWrap(true);
    busy_ = new QProgressBar;
    busy_->setRange(0, 0);
    busy_->hide();

    search_ = new QLineEdit;
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, &CDlgImport::applySearch);
    satellites_ = makeTable({text(msg::kImportPosition), text(msg::kImportSatellite), text(msg::kImportTps),
                             text(msg::kImportNotStorable)});
    connect(satellites_, &QTableWidget::currentCellChanged, this, [this](int row) {
        const QTableWidgetItem* first = row >= 0 ? satellites_->item(row, 0) : nullptr;
        shownSatellite_ = first != nullptr ? first->data(kIndexRole).toInt() : -1;
        showTps();
    });
    connect(satellites_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            satelliteTicked(item->row());
    });
    auto* left = new QWidget;
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(text(msg::kImportSearch)));
    searchRow->addWidget(search_);
    leftColumn->addLayout(searchRow);
    leftColumn->addWidget(satellites_);

    auto* filterRow = new QHBoxLayout;
    QStringList filterTexts{text(msg::kImportCBand), text(msg::kImportKuLow), text(msg::kImportKuHigh)};
    for (const char letter : kPolarizationLetters)
        filterTexts << QString(QLatin1Char(letter));
    filterTexts << QStringLiteral("DVB-S") << QStringLiteral("DVB-S2");
    for (const QString& filterText : filterTexts) {
        auto* box = new QCheckBox(filterText);
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, [this] {
            showTps();
            preview();
        });
        filters_ << box;
        filterRow->addWidget(box);
    }
    filterRow->addStretch(1);
    QStringList tpHeaders;
    for (const char* header : {"Freq(MHz)", "Polarization", "SR(MS/s)", "Signal Type", "Modulation", "Code Rate"})
        tpHeaders << QString::fromLatin1(header);
    tpHeaders << text(msg::kImportNote);
    tps_ = makeTable(tpHeaders);
    connect(tps_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            tpTicked(item->row());
    });
    auto* right = new QWidget;
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    rightColumn->addLayout(filterRow);
    rightColumn->addWidget(tps_);

    auto* lists = new QSplitter(Qt::Horizontal);
    lists->addWidget(left);
    lists->addWidget(right);
    lists->setStretchFactor(1, 2);

    model_ = new QComboBox;
    for (const MeterModel model : kMeterModels)
        model_->addItem(qtText(std::string(modelName(model))));
    connect(model_, &QComboBox::currentIndexChanged, this, &CDlgImport::preview);
    intoNew_ = new QRadioButton(text(msg::kImportIntoNewPlans));
    intoCurrent_ =
        new QRadioButton(text(msg::kImportIntoCurrentPlan, {currentPlan_ ? currentPlan_->nameText() : std::string()}));
    intoNew_->setChecked(true);
    intoCurrent_->setEnabled(currentPlan_.has_value());
    connect(intoCurrent_, &QRadioButton::toggled, this, [this] {
        showTps();
        preview();
    });
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(new QLabel(text(msg::kImportModel)));
    targetRow->addWidget(model_);
    targetRow->addSpacing(12);
    targetRow->addWidget(intoNew_);
    targetRow->addWidget(intoCurrent_);
    targetRow->addStretch(1);

    leftOut_ = new QPlainTextEdit;
    leftOut_->setReadOnly(true);
    leftOut_->setMaximumHeight(120);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    import_ = buttons->button(QDialogButtonBox::Ok);
    import_->setText(text(msg::kLabelImport));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(msg::kCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgImport::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgImport::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(busy_);
    column->addWidget(status_);
    column->addWidget(lists, 1);
    column->addLayout(targetRow);
    column->addWidget(new QLabel(text(msg::kImportLeftOut)));
    column->addWidget(leftOut_);
    column->addWidget(buttons);
}

void CDlgImport::readFrom(const QString& source)
{
    if (reader_ != nullptr) {
        pendingSource_ = source;
        return;
    }
    sourceRead({});
    source_->setText(source);
    status_->setText(text(msg::kImportReading, {coreText(source)}));
    busy_->show();
    auto listing = std::make_shared<SourceListing>();
    reader_ = QThread::create([listing, path = coreText(source), language = prompts_.language()] {
        *listing = readAnySource(path, language);
    });
    connect(reader_, &QThread::finished, this, [this, listing] {
        reader_->deleteLater();
        reader_ = nullptr;
        busy_->hide();
        sourceRead(std::move(*listing));
        if (!pendingSource_.isEmpty())
            readFrom(std::exchange(pendingSource_, QString()));
    });
    reader_->start();
}

void CDlgImport::sourceRead(SourceListing listing)
{
    listing_ = std::move(listing);
    QStringList problems;
    for (const Notice& problem : listing_.problems)
        problems << qtText(noticeText(problem, prompts_.language()));
    if (reader_ == nullptr)
        status_->setText(problems.join(QLatin1Char('\n')));
    satelliteChecked_.assign(listing_.satellites.size(), false);
    tpChecked_.clear();
    for (const Satellite& satellite : listing_.satellites)
        tpChecked_.emplace_back(satellite.tps.size(), true);
    shownSatellite_ = -1;
    showSatellites();
    showTps();
    preview();
}

void CDlgImport::showSatellites()
{
    const QSignalBlocker blocker(satellites_);
    satellites_->setRowCount(0);
    for (std::size_t i = 0; i < listing_.satellites.size(); ++i) {
        const Satellite& satellite = listing_.satellites[i];
        const int row = satellites_->rowCount();
        const int storable = satellite.storableCount();
        satellites_->insertRow(row);
        satellites_->setItem(row, 0,
                             cell(qtText(positionText(satellite.position)), static_cast<int>(i), satelliteChecked_[i]));
        satellites_->setItem(row, 1, cell(qtText(satellite.name)));
        satellites_->setItem(row, 2, cell(QString::number(storable)));
        satellites_->setItem(row, 3, cell(QString::number(static_cast<int>(satellite.tps.size()) - storable)));
    }
    satellites_->resizeColumnsToContents();
    applySearch();
}

// Rows whose position or name does not hold the search text are hidden.
void CDlgImport::applySearch()
{
    const QString wanted = search_->text().trimmed();
    for (int row = 0; row < satellites_->rowCount(); ++row) {
        const bool match = wanted.isEmpty() ||
                           satellites_->item(row, 0)->text().contains(wanted, Qt::CaseInsensitive) ||
                           satellites_->item(row, 1)->text().contains(wanted, Qt::CaseInsensitive);
        satellites_->setRowHidden(row, !match);
    }
}

bool CDlgImport::tpPasses(const SourceTp& tp) const
{
    if (!tp.channel)
        return true;
    if (!filters_[static_cast<int>(bandOf(*tp.channel))]->isChecked())
        return false;
    const auto letter = tp.name.empty() ? std::string_view::npos : kPolarizationLetters.find(tp.name.back());
    if (letter != std::string_view::npos && !filters_[3 + static_cast<int>(letter)]->isChecked())
        return false;
    const bool s2 = tp.channel->signalType == static_cast<std::int32_t>(SignalType::DVB_S2);
    return filters_[s2 ? 8 : 7]->isChecked();
}

void CDlgImport::showTps()
{
    const QSignalBlocker blocker(tps_);
    tps_->setRowCount(0);
    if (shownSatellite_ < 0 || shownSatellite_ >= static_cast<int>(listing_.satellites.size()))
        return;
    const auto s = static_cast<std::size_t>(shownSatellite_);
    const Satellite& satellite = listing_.satellites[s];
    const bool intoCurrent = intoCurrent_->isChecked() && currentPlan_;
    for (std::size_t k = 0; k < satellite.tps.size(); ++k) {
        const SourceTp& tp = satellite.tps[k];
        if (!tpPasses(tp))
            continue;
        const int row = tps_->rowCount();
        tps_->insertRow(row);
        if (!tp.channel) {
            tps_->setItem(row, 0, cell(qtText(tp.label), static_cast<int>(k)));
            tps_->setItem(row, static_cast<int>(kTpColumns.size()),
                          cell(qtText(noticeText(*tp.leftOut, prompts_.language()))));
            continue;
        }
        tps_->setItem(row, 0,
                      cell(qtText(ChannelCellText(*tp.channel, kTpColumns[0])), static_cast<int>(k), tpChecked_[s][k]));
        for (std::size_t c = 1; c < kTpColumns.size(); ++c)
            tps_->setItem(row, static_cast<int>(c), cell(qtText(ChannelCellText(*tp.channel, kTpColumns[c]))));
        const bool inPlan =
            intoCurrent && std::ranges::any_of(currentPlan_->usedChannels(),
                                               [&](const SateChannel& had) { return sameTp(had, *tp.channel); });
        if (inPlan)
            tps_->setItem(row, static_cast<int>(kTpColumns.size()), cell(text(msg::kSameTpInPlan)));
    }
    tps_->resizeColumnsToContents();
}

void CDlgImport::satelliteTicked(int row)
{
    const QTableWidgetItem* first = satellites_->item(row, 0);
    satelliteChecked_[static_cast<std::size_t>(first->data(kIndexRole).toInt())] = first->checkState() == Qt::Checked;
    preview();
}

void CDlgImport::tpTicked(int row)
{
    const QTableWidgetItem* first = tps_->item(row, 0);
    if (shownSatellite_ < 0 || !(first->flags() & Qt::ItemIsUserCheckable))
        return;
    tpChecked_[static_cast<std::size_t>(shownSatellite_)][static_cast<std::size_t>(first->data(kIndexRole).toInt())] =
        first->checkState() == Qt::Checked;
    preview();
}

std::vector<Satellite> CDlgImport::chosen() const
{
    std::vector<Satellite> chosen;
    for (std::size_t s = 0; s < listing_.satellites.size(); ++s) {
        if (!satelliteChecked_[s])
            continue;
        Satellite satellite = listing_.satellites[s];
        satellite.tps.clear();
        for (std::size_t k = 0; k < listing_.satellites[s].tps.size(); ++k) {
            const SourceTp& tp = listing_.satellites[s].tps[k];
            if (!tp.channel || (tpChecked_[s][k] && tpPasses(tp)))
                satellite.tps.push_back(tp);
        }
        chosen.push_back(std::move(satellite));
    }
    return chosen;
}

// What Import would add now, the TPs it would leave out with their reasons,
// and the model's check of the list it would make.
void CDlgImport::preview()
{
    result_ = {};
    result_.nextPlanNumber = nextPlanNumber_;
    const std::vector<Satellite> satellites = chosen();
    const MeterModel model = chosenModel();
    std::vector<PlanImport> imports;
    std::optional<Notice> refused;
    if (intoCurrent_->isChecked() && currentPlan_) {
        std::vector<SourceTp> tps;
        for (const Satellite& satellite : satellites)
            tps.insert(tps.end(), satellite.tps.begin(), satellite.tps.end());
        imports.push_back(addToPlan(*currentPlan_, tps, model));
        refused = checkImport(plans_, std::span(&imports.front().plan, 1), model);
        if (imports.front().plan.channelCount != currentPlan_->channelCount)
            result_.changedPlan = imports.front().plan;
    } else {
        ImportResult imported = importSatellites(satellites, plans_, model, nextPlanNumber_);
        refused = imported.refused;
        result_.nextPlanNumber = imported.nextPlanNumber;
        imports = std::move(imported.plans);
        for (const PlanImport& plan : imports)
            result_.newPlans.push_back(plan.plan);
    }
    QStringList lines;
    if (refused)
        lines << text(refused->message, refused->args);
    else if (satellites.empty())
        lines << text(msg::kImportNothingChosen);
    // Satellites of the source that cannot be read come first: the others are
    // listed all the same.
    for (const Notice& satellite : listing_.leftOut)
        lines << qtText(noticeText(satellite, prompts_.language()));
    for (std::size_t i = 0; i < imports.size(); ++i) {
        // New plans follow the satellites; TPs added to the current plan are
        // named with it.
        const std::string whose = result_.newPlans.empty()
                                      ? imports[i].plan.nameText()
                                      : satellites[i].name + ' ' + positionText(satellites[i].position);
        if (imports[i].nameChanged)
            lines << qtText(noticeText(*imports[i].nameChanged, prompts_.language()));
        for (const LeftOutTp& tp : imports[i].leftOut)
            lines << text(msg::kTpLeftOut, {tp.tp, whose, noticeText(tp.why, prompts_.language())});
        for (const GuessedTp& tp : imports[i].guessed)
            lines << text(msg::kCodeRateGuessed, {tp.tp, whose, tp.codeRate});
    }
    leftOut_->setPlainText(lines.join(QLatin1Char('\n')));
    const bool anything = !result_.newPlans.empty() || result_.changedPlan.has_value();
    import_->setEnabled(anything && !refused);
}

MeterModel CDlgImport::chosenModel() const
{
    return kMeterModels[static_cast<std::size_t>(std::max(model_->currentIndex(), 0))];
}

void CDlgImport::accept()
{
    preview();
    if (import_->isEnabled())
        QDialog::accept();
}
