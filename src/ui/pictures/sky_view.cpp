#include "ui/pictures/sky_view.h"

#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/rules/longitude.h"
#include "core/rules/plan_cell_rules.h"
#include "ui/text/qt_text.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The picture shows azimuths this far either side of the direction of the
// equator (south from a northern site, north from a southern one): the
// orbit's ends on the horizon always lie within 90 degrees of it.
constexpr double kHalfWidthDegrees = 100.0;
constexpr int kArcPoints = 181;
constexpr double kLeftMargin = 34.0;
constexpr double kTopMargin = 20.0;
constexpr double kBottomMargin = 20.0;
constexpr double kRightMargin = 10.0;

const QColor kSky(0xE8, 0xF1, 0xFB);
const QColor kGround(0xD9, 0xCF, 0xBF);
const QColor kGrid(0xB8, 0xC6, 0xD6);
const QColor kArc(0x2F, 0x74, 0xC0);
const QColor kPlanDot(0x23, 0x5A, 0x8C);
const QColor kCurrent(0xD3, 0x54, 0x00);
const QColor kText(0x22, 0x22, 0x22);

QString degreesText(double degrees)
{
    return qtText(pointing_text::angleText(degrees)) + QChar(0x00B0);
}

// The azimuth measured from the direction of the equator, -180 to 180.
double fromEquator(double azimuth, const Site& site)
{
    const double centre = site.latitude >= 0.0 ? 180.0 : 0.0;
    double relative = std::fmod(azimuth - centre, 360.0);
    if (relative >= 180.0)
        relative -= 360.0;
    if (relative < -180.0)
        relative += 360.0;
    return relative;
}

} // namespace

// The sky seen from the site, facing the equator: azimuth across, elevation
// up from the horizon at the bottom.
class SkyPicture : public QWidget {
public:
    SkyPicture(const PlanList& plans, const SkyView& view, Language language)
        : plans_(plans), view_(view), language_(language)
    {
        setObjectName(QStringLiteral("skyPicture"));
        setMinimumSize(240, 140);
    }

    QSize sizeHint() const override { return {520, 220}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRectF plot() const
    {
        return {kLeftMargin, kTopMargin, std::max(width() - kLeftMargin - kRightMargin, 1.0),
                std::max(height() - kTopMargin - kBottomMargin, 1.0)};
    }
    QPointF pointOf(const Site& site, const DishPointing& dish) const
    {
        const QRectF area = plot();
        const double across = (fromEquator(dish.azimuth, site) + kHalfWidthDegrees) / (2.0 * kHalfWidthDegrees);
        return {area.left() + across * area.width(), area.bottom() - dish.elevation / 90.0 * area.height()};
    }
    void drawGrid(QPainter& painter, const Site& site) const;
    void drawPlans(QPainter& painter, const Site& site) const;

    const PlanList& plans_;
    const SkyView& view_;
    Language language_;
};

void SkyPicture::drawGrid(QPainter& painter, const Site& site) const
{
    const QRectF area = plot();
    painter.fillRect(area, kSky);
    painter.fillRect(QRectF(area.left(), area.bottom(), area.width(), kBottomMargin), kGround);
    painter.setPen(kGrid);
    const QFontMetricsF metrics(painter.font());
    for (const int elevation : {30, 60, 90}) {
        const double y = area.bottom() - elevation / 90.0 * area.height();
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(kText);
        painter.drawText(QPointF(2.0, y + metrics.ascent() / 2.0), QString::number(elevation) + QChar(0x00B0));
        painter.setPen(kGrid);
    }
    const double centre = site.latitude >= 0.0 ? 180.0 : 0.0;
    for (int step = -90; step <= 90; step += 30) {
        const double azimuth = std::fmod(centre + step + 360.0, 360.0);
        const double x = area.left() + (step + kHalfWidthDegrees) / (2.0 * kHalfWidthDegrees) * area.width();
        painter.setPen(kGrid);
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        const int whole = static_cast<int>(std::lround(azimuth));
        const QString label = whole == 0     ? QStringLiteral("N")
                              : whole == 90  ? QStringLiteral("E")
                              : whole == 180 ? QStringLiteral("S")
                              : whole == 270 ? QStringLiteral("W")
                                             : QString::number(whole) + QChar(0x00B0);
        painter.setPen(kText);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2.0, area.bottom() + metrics.ascent() + 3.0),
                         label);
    }
    // The arc, broken where it passes straight overhead.
    const auto arc = pointing::visibleArc(site, kArcPoints);
    QPainterPath path;
    for (std::size_t i = 0; i < arc.size(); ++i) {
        const QPointF at = pointOf(site, arc[i]);
        const bool jump =
            i == 0 || std::abs(fromEquator(arc[i].azimuth, site) - fromEquator(arc[i - 1].azimuth, site)) > 90.0;
        if (jump)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    painter.setPen(QPen(kArc, 2.0));
    painter.drawPath(path);
}

// A dot per orbital position with the names of its plans; the current plan's
// position larger and in its own colour, with its pointing on the top line.
void SkyPicture::drawPlans(QPainter& painter, const Site& site) const
{
    std::map<long, std::pair<DishPointing, QStringList>> positions;
    QStringList below;
    bool currentShown = false;
    QPointF currentAt;
    const auto& pointings = view_.pointings();
    for (std::size_t i = 0; i < pointings.size() && i < static_cast<std::size_t>(plans_.count()); ++i) {
        const CComonOrbitune& plan = plans_.at(static_cast<int>(i));
        const PlanPointing& pointing = pointings[i];
        const QString name = qtText(plan.nameText());
        if (!pointing.dish.aboveHorizon()) {
            below.append(name);
            continue;
        }
        auto& [dish, names] = positions[std::lround(pointing.longitude * 10.0)];
        dish = pointing.dish;
        names.append(name);
        if (view_.plan() == plan.id) {
            currentShown = true;
            currentAt = pointOf(site, pointing.dish);
        }
    }
    const QFontMetricsF metrics(painter.font());
    int index = 0;
    for (const auto& [position, entry] : positions) {
        const QPointF at = pointOf(site, entry.first);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPlanDot);
        painter.drawEllipse(at, 3.5, 3.5);
        const QString label = metrics.elidedText(entry.second.join(QStringLiteral(", ")), Qt::ElideRight, 110.0);
        // Labels alternate above and below the arc so that neighbours do not
        // cover each other.
        const double dy = index++ % 2 == 0 ? -6.0 : metrics.ascent() + 6.0;
        painter.setPen(kText);
        painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(label) / 2.0, at.y() + dy), label);
    }
    if (currentShown) {
        painter.setPen(QPen(kCurrent, 2.0));
        painter.setBrush(kCurrent);
        painter.drawEllipse(currentAt, 6.0, 6.0);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kText);
    if (!below.isEmpty())
        painter.drawText(QPointF(plot().left() + 4.0, plot().bottom() - 4.0),
                         metrics.elidedText(qtMessage(msg::kPlansBelowHorizon, language_,
                                                      {below.join(QStringLiteral(", ")).toStdString()}),
                                            Qt::ElideRight, plot().width() - 8.0));
}

void SkyPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0xFF, 0xFF, 0xFF));
    const auto site = view_.site();
    if (!site) {
        painter.setPen(kText);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, qtMessage(msg::kNoSite, language_));
        return;
    }
    drawGrid(painter, *site);
    drawPlans(painter, *site);
    // The current plan's pointing on the top line.
    const auto& pointings = view_.pointings();
    for (std::size_t i = 0; i < pointings.size() && i < static_cast<std::size_t>(plans_.count()); ++i) {
        const CComonOrbitune& plan = plans_.at(static_cast<int>(i));
        if (view_.plan() != plan.id)
            continue;
        const DishPointing& dish = pointings[i].dish;
        QString line = qtText(plan.nameText()) + QStringLiteral("  ") + qtMessage(msg::kAzimuth, language_) +
                       QLatin1Char(' ') + degreesText(dish.azimuth);
        if (pointings[i].magneticAzimuth)
            line += QStringLiteral("  ") + qtMessage(msg::kMagneticAzimuth, language_) + QLatin1Char(' ') +
                    degreesText(*pointings[i].magneticAzimuth);
        line += QStringLiteral("  ") + qtMessage(msg::kElevation, language_) + QLatin1Char(' ') +
                degreesText(dish.elevation) + QStringLiteral("  ") + qtMessage(msg::kLnbSkew, language_) +
                QLatin1Char(' ') + degreesText(dish.skew);
        painter.setPen(kCurrent);
        painter.drawText(QPointF(kLeftMargin, kTopMargin - 5.0), line);
        break;
    }
}

SkyView::SkyView(const PlanList& plans, Language language, QWidget* parent)
    : QWidget(parent), plans_(plans), language_(language), day_(pointing::today())
{
    setObjectName(QStringLiteral("skyView"));
    auto* siteRow = new QHBoxLayout;
    siteRow->addWidget(new QLabel(qtMessage(msg::kSiteLabel, language)));
    cities_ = new QComboBox;
    cities_->setObjectName(QStringLiteral("skyCity"));
    cities_->setEditable(true);
    cities_->setInsertPolicy(QComboBox::NoInsert);
    cities_->setToolTip(qtMessage(msg::kCity, language));
    cities_->setMinimumContentsLength(10);
    latitude_ = new QLineEdit;
    latitude_->setObjectName(QStringLiteral("skyLatitude"));
    latitude_->setPlaceholderText(qtMessage(msg::kLatitude, language));
    latitude_->setToolTip(latitude_->placeholderText());
    latitude_->setAccessibleName(latitude_->placeholderText());
    longitude_ = new QLineEdit;
    longitude_->setObjectName(QStringLiteral("skyLongitude"));
    longitude_->setPlaceholderText(qtMessage(msg::kLongitudeLabel, language));
    longitude_->setToolTip(longitude_->placeholderText());
    longitude_->setAccessibleName(longitude_->placeholderText());
    addCity_ = new QPushButton(qtMessage(msg::kAddCity, language));
    removeCity_ = new QPushButton(qtMessage(msg::kRemoveCity, language));
    for (QWidget* widget : std::initializer_list<QWidget*>{cities_, latitude_, longitude_, addCity_, removeCity_})
        siteRow->addWidget(widget);
    siteRow->addStretch();

    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("skyProblem"));
    problem_->setWordWrap(true);
    problem_->hide();

    picture_ = new SkyPicture(plans, *this, language);

    table_ = new QTableWidget(0, kColumnCount);
    table_->setObjectName(QStringLiteral("pointingTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->setHorizontalHeaderLabels({qtText(std::string(plan_column::kHeaders[plan_column::kName])),
                                       qtMessage(msg::kImportPosition, language),
                                       qtMessage(pointing_text::figureTitle(PointingFigure::Azimuth), language),
                                       qtMessage(pointing_text::figureTitle(PointingFigure::MagneticAzimuth), language),
                                       qtMessage(pointing_text::figureTitle(PointingFigure::Elevation), language),
                                       qtMessage(pointing_text::figureTitle(PointingFigure::Skew), language)});
    table_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_->horizontalHeader(), &QHeaderView::customContextMenuRequested, this, &SkyView::showHeaderMenu);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addLayout(siteRow);
    column->addWidget(problem_);
    column->addWidget(picture_, 3);
    column->addWidget(table_, 2);

    fillCities();
    connect(cities_, &QComboBox::activated, this, &SkyView::cityChosen);
    connect(latitude_, &QLineEdit::editingFinished, this, &SkyView::typedSiteEdited);
    connect(longitude_, &QLineEdit::editingFinished, this, &SkyView::typedSiteEdited);
    connect(addCity_, &QPushButton::clicked, this, &SkyView::addCity);
    connect(removeCity_, &QPushButton::clicked, this, &SkyView::removeCity);
    refresh();
}

void SkyView::setSite(std::optional<Site> site)
{
    site_ = site;
    showSiteFields();
    refresh();
}

void SkyView::setUserCities(std::vector<NamedSite> cities)
{
    userCities_ = std::move(cities);
    fillCities();
}

void SkyView::setHiddenColumns(const std::vector<int>& columns)
{
    for (int c = 0; c < kColumnCount; ++c)
        table_->setColumnHidden(c, std::find(columns.begin(), columns.end(), c) != columns.end());
}

std::vector<int> SkyView::hiddenColumns() const
{
    std::vector<int> columns;
    for (int c = 0; c < kColumnCount; ++c)
        if (table_->isColumnHidden(c))
            columns.push_back(c);
    return columns;
}

void SkyView::setDay(std::chrono::year_month_day day)
{
    day_ = day;
    refresh();
}

void SkyView::showPlan(std::optional<Guid> plan)
{
    plan_ = plan;
    refresh();
}

void SkyView::refresh()
{
    pointings_.clear();
    declination_ = {};
    if (site_) {
        declination_ = pointing::declinationAt(*site_, day_);
        pointings_ = pointPlans(plans_, *site_, declination_);
    }
    std::optional<Notice> gap;
    if (site_)
        gap = pointing_text::gapNotice(declination_.gap, day_);
    problem_->setText(gap ? qtMessage(gap->message, language_, gap->args) : QString());
    problem_->setVisible(gap.has_value());
    fillTable();
    picture_->update();
}

// The known cities in the interface's language, then the user's.
void SkyView::fillCities()
{
    cities_->clear();
    for (const KnownCity& city : kKnownCities)
        cities_->addItem(qtMessage(city.name, language_));
    for (const NamedSite& city : userCities_)
        cities_->addItem(qtText(city.name));
    cities_->setCurrentIndex(-1);
    cities_->setEditText({});
}

void SkyView::cityChosen(int index)
{
    const int known = static_cast<int>(kKnownCities.size());
    if (index < 0 || index >= known + static_cast<int>(userCities_.size()))
        return;
    const Site site = index < known ? kKnownCities[static_cast<std::size_t>(index)].site
                                    : userCities_[static_cast<std::size_t>(index - known)].site;
    setSite(site);
    emit siteChosen(site);
}

void SkyView::typedSiteEdited()
{
    const std::string latitudeText = latitude_->text().toStdString();
    const std::string longitudeText = longitude_->text().toStdString();
    const auto latitude = site_text::parseLatitude(latitudeText);
    const auto longitude = site_text::parseLongitude(longitudeText);
    if (!latitude || !longitude) {
        const bool latitudeWrong = !latitude && !latitudeText.empty();
        const bool longitudeWrong = !longitude && !longitudeText.empty();
        if (latitudeWrong || longitudeWrong) {
            problem_->setText(latitudeWrong ? qtMessage(msg::kBadLatitude, language_, {latitudeText})
                                            : qtMessage(msg::kBadLongitude, language_, {longitudeText}));
            problem_->show();
        }
        return;
    }
    const Site site{*latitude, *longitude};
    if (site_ == site) {
        refresh();
        return;
    }
    cities_->setCurrentIndex(-1);
    cities_->setEditText({});
    setSite(site);
    emit siteChosen(site);
}

// Keeps the site as it stands under the name typed in the city box; a name
// already in the list takes the new site.
void SkyView::addCity()
{
    const QString name = cities_->currentText().trimmed();
    if (name.isEmpty() || !site_) {
        problem_->setText(qtMessage(msg::kNoSite, language_));
        problem_->show();
        return;
    }
    const std::string key = name.toStdString();
    const auto same = std::find_if(userCities_.begin(), userCities_.end(),
                                   [&key](const NamedSite& city) { return city.name == key; });
    if (same != userCities_.end())
        same->site = *site_;
    else
        userCities_.push_back({key, *site_});
    fillCities();
    cities_->setCurrentIndex(cities_->findText(name));
    emit userCitiesChanged(userCities_);
}

void SkyView::removeCity()
{
    const int index = cities_->currentIndex() - static_cast<int>(kKnownCities.size());
    if (index < 0 || index >= static_cast<int>(userCities_.size()))
        return;
    userCities_.erase(userCities_.begin() + index);
    fillCities();
    emit userCitiesChanged(userCities_);
}

// A checkable entry per column; the last shown one cannot be hidden.
void SkyView::showHeaderMenu(const QPoint& at)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const int shown = kColumnCount - static_cast<int>(hiddenColumns().size());
    for (int c = 0; c < kColumnCount; ++c) {
        QAction* action = menu->addAction(table_->horizontalHeaderItem(c)->text());
        action->setCheckable(true);
        action->setChecked(!table_->isColumnHidden(c));
        action->setEnabled(table_->isColumnHidden(c) || shown > 1);
        connect(action, &QAction::toggled, this, [this, c](bool on) {
            table_->setColumnHidden(c, !on);
            emit hiddenColumnsChanged(hiddenColumns());
        });
    }
    menu->popup(table_->horizontalHeader()->mapToGlobal(at));
}

void SkyView::fillTable()
{
    table_->setRowCount(static_cast<int>(pointings_.size()));
    const auto cell = [this](int row, int column, const QString& text, bool strong) {
        auto* item = table_->item(row, column);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            table_->setItem(row, column, item);
        }
        item->setText(text);
        QFont font = item->font();
        font.setBold(strong);
        item->setFont(font);
    };
    for (std::size_t i = 0; i < pointings_.size(); ++i) {
        const CComonOrbitune& plan = plans_.at(static_cast<int>(i));
        const PlanPointing& pointing = pointings_[i];
        const int row = static_cast<int>(i);
        const bool current = plan_ == plan.id;
        const auto figure = [&](PointingFigure shown) {
            return qtText(pointing_text::figureText(pointing, shown, language_));
        };
        QString elevation = figure(PointingFigure::Elevation);
        if (!pointing.dish.aboveHorizon())
            elevation += QStringLiteral(" (") + qtMessage(msg::kBelowHorizon, language_) + QLatin1Char(')');
        cell(row, kPlanName, qtText(plan.nameText()), current);
        cell(row, kPosition, qtText(longitude::hemisphereText(plan.longitude, plan.isEast != 0)), current);
        cell(row, kAzimuth, figure(PointingFigure::Azimuth), current);
        cell(row, kMagnetic, figure(PointingFigure::MagneticAzimuth), current);
        cell(row, kElevation, elevation, current);
        cell(row, kSkew, figure(PointingFigure::Skew), current);
    }
    table_->resizeColumnsToContents();
}

void SkyView::showSiteFields()
{
    latitude_->setText(site_ ? qtText(site_text::latitudeText(site_->latitude)) : QString());
    longitude_->setText(site_ ? qtText(site_text::longitudeText(site_->longitude)) : QString());
}
