#include "ui/shell/command_ids.h"
#include "ui/shell/visual_style.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QImage>
#include <QStyle>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

struct Expected {
    int id;
    VisualLook look;
};

// Records, for every palette or style change it is told of, whether the wait
// cursor was shown at that moment.
class CursorProbe : public QWidget {
public:
    std::vector<bool> waitCursorAtChange;

protected:
    bool event(QEvent* event) override
    {
        const auto type = event->type();
        if (type == QEvent::ApplicationPaletteChange || type == QEvent::PaletteChange || type == QEvent::StyleChange) {
            const QCursor* cursor = QApplication::overrideCursor();
            waitCursorAtChange.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
        }
        return QWidget::event(event);
    }
};

// Puts the application back to the start-up look after each case.
class VisualStyleTest : public ::testing::Test {
protected:
    void TearDown() override { applyVisualLook(visualLookFor(cmd::kDefaultLook), nullptr); }
};

} // namespace

TEST(VisualLookFor, MapsEveryStyleId)
{
    using F = LookFamily;
    using S = OfficeScheme;
    // The Office 2007 scheme in force before each id is Aqua, so that an id that
    // keeps it shows.
    const std::vector<Expected> table{
        {205, {F::Plain, S::Aqua, false, false}},       {206, {F::OfficeXp, S::Aqua, false, false}},
        {207, {F::WindowsXp, S::Aqua, false, false}},   {208, {F::Office2003, S::Aqua, true, false}},
        {209, {F::Vs2005, S::Aqua, true, false}},       {210, {F::Vs2008, S::Aqua, true, false}},
        {211, {F::Office2007, S::Aqua, true, false}},   {214, {F::Office2007, S::Aqua, true, false}},
        {215, {F::Office2007, S::Blue, true, false}},   {216, {F::Office2007, S::Black, true, false}},
        {217, {F::Office2007, S::Silver, true, false}}, {218, {F::Office2007, S::Aqua, true, false}},
        {219, {F::Windows7, S::Aqua, true, true}},      {204, {F::Office2007, S::Aqua, true, false}},
        {220, {F::Office2007, S::Aqua, true, false}},   {0, {F::Office2007, S::Aqua, true, false}},
        {-215, {F::Office2007, S::Aqua, true, false}},
    };
    for (const Expected& e : table)
        EXPECT_EQ(visualLookFor(e.id, OfficeScheme::Aqua), e.look) << e.id;
}

TEST(VisualLookFor, UnknownIdKeepsTheLastOfficeScheme)
{
    const VisualLook silver = visualLookFor(cmd::kLookOffice2007Silver);
    const VisualLook after = visualLookFor(300, silver.scheme);
    EXPECT_EQ(after, (VisualLook{LookFamily::Office2007, OfficeScheme::Silver, true, false}));

    // Passing through other looks keeps the scheme too.
    const VisualLook black = visualLookFor(cmd::kLookOffice2007Black, after.scheme);
    const VisualLook win7 = visualLookFor(cmd::kLookWindows7, black.scheme);
    const VisualLook plain = visualLookFor(cmd::kLookDefault, win7.scheme);
    EXPECT_EQ(visualLookFor(300, plain.scheme).scheme, OfficeScheme::Black);
}

TEST(VisualLookFor, UnknownIdWithoutEarlierSchemeIsBlue)
{
    EXPECT_EQ(visualLookFor(300), (VisualLook{LookFamily::Office2007, OfficeScheme::Blue, true, false}));
}

TEST(LookPalette, EveryLookHasItsOwnColours)
{
    std::set<QRgb> windows;
    std::set<QString> sheets;
    const std::vector<int> ids{205, 206, 207, 208, 209, 210, 215, 216, 217, 218, 219};
    for (const int id : ids) {
        const VisualLook look = visualLookFor(id);
        windows.insert(lookPalette(look).color(QPalette::Window).rgb());
        sheets.insert(ribbonStyleSheet(look));
    }
    EXPECT_EQ(windows.size(), ids.size());
    EXPECT_EQ(sheets.size(), ids.size());
}

// Black draws dark chrome around light content, as its namesake does.
TEST(LookPalette, BlackIsDarkAroundLightContentAndTheOthersAreLight)
{
    const QPalette black = lookPalette(visualLookFor(cmd::kLookOffice2007Black));
    EXPECT_LT(black.color(QPalette::Window).lightness(), 100);
    EXPECT_GT(black.color(QPalette::WindowText).lightness(), 200);
    EXPECT_GT(black.color(QPalette::Base).lightness(), 200);
    EXPECT_LT(black.color(QPalette::Text).lightness(), 100);
    for (const int id : {215, 217, 218, 219}) {
        const QPalette light = lookPalette(visualLookFor(id));
        EXPECT_GT(light.color(QPalette::Window).lightness(), 180) << id;
        EXPECT_LT(light.color(QPalette::WindowText).lightness(), 100) << id;
    }
}

TEST(LookPalette, DisabledTextDiffersFromActiveText)
{
    for (const int id : {205, 215, 216, 219}) {
        const QPalette palette = lookPalette(visualLookFor(id));
        EXPECT_NE(palette.color(QPalette::Disabled, QPalette::Text), palette.color(QPalette::Active, QPalette::Text))
            << id;
    }
}

// The widest difference of lightness between any pixel of `image` and its
// top-right pixel, the background.
int contrastWithBackground(const QImage& image)
{
    const int background = QColor(image.pixel(image.width() - 1, 0)).lightness();
    int widest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            widest = std::max(widest, std::abs(QColor(image.pixel(x, y)).lightness() - background));
    return widest;
}

// An unticked check box of a list stands out from its cell in every style.
TEST_F(VisualStyleTest, UntickedCheckBoxesAreVisibleInEveryStyle)
{
    for (const int id : {215, 216, 217, 218, 219}) {
        applyVisualLook(visualLookFor(id), nullptr);
        QTableWidget list(1, 1);
        list.horizontalHeader()->hide();
        list.verticalHeader()->hide();
        list.setShowGrid(false);
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        list.setItem(0, 0, item);
        list.resize(120, 60);
        list.show();
        const QRect cell = list.visualItemRect(item);
        const QImage image = list.viewport()->grab(cell).toImage();
        EXPECT_GT(contrastWithBackground(image), 60) << id;
    }
}

TEST(QtStyleName, NativeXpIsWindowsAndTheRestFusion)
{
    EXPECT_EQ(qtStyleName(visualLookFor(cmd::kLookWindowsXp)), QStringLiteral("Windows"));
    for (const int id : {205, 206, 208, 209, 210, 215, 216, 217, 218, 219, 300})
        EXPECT_EQ(qtStyleName(visualLookFor(id)), QStringLiteral("Fusion")) << id;
}

TEST_F(VisualStyleTest, ApplyingSetsStylePaletteAndRibbonSheet)
{
    QWidget ribbon;
    applyVisualLook(visualLookFor(cmd::kLookOffice2007Black), &ribbon);
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0x3B3B3B));
    EXPECT_EQ(ribbon.styleSheet(), ribbonStyleSheet(visualLookFor(cmd::kLookOffice2007Black)));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    applyVisualLook(visualLookFor(cmd::kLookWindowsXp), &ribbon);
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("windows"));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0xECE9D8));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VisualStyleTest, WaitCursorIsShownWhileTheLookChanges)
{
    CursorProbe probe;
    applyVisualLook(visualLookFor(cmd::kLookWindowsXp), nullptr);
    applyVisualLook(visualLookFor(cmd::kLookOffice2007Aqua), nullptr);
    ASSERT_FALSE(probe.waitCursorAtChange.empty());
    for (const bool shown : probe.waitCursorAtChange)
        EXPECT_TRUE(shown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VisualStyleTest, WithoutRibbonOnlyTheApplicationChanges)
{
    applyVisualLook(visualLookFor(cmd::kLookWindows7), nullptr);
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight), QColor(0x3399FF));
}
