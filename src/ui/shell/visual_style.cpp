#include "ui/shell/visual_style.h"

#include "ui/shell/command_ids.h"

#include <QApplication>
#include <QColor>
#include <QStyle>
#include <QWidget>

namespace {

// The colours a look is drawn with, as RGB values.
struct LookColours {
    QRgb window;
    QRgb base;
    QRgb button;
    QRgb text;     // on the window and the buttons
    QRgb baseText; // on the base: list cells, edit boxes
    QRgb highlight;
    QRgb highlightedText;
    QRgb ribbonTop;
    QRgb ribbonBottom;
    QRgb border;
};

LookColours officeColours(OfficeScheme scheme)
{
    switch (scheme) {
    case OfficeScheme::Blue:
        return {0xDCE7F5, 0xFFFFFF, 0xC8DAF0, 0x15428B, 0x15428B, 0x3D7BC4, 0xFFFFFF, 0xE3EEFB, 0xC4D8F1, 0x8DB2E3};
    case OfficeScheme::Black:
        return {0x3B3B3B, 0xFFFFFF, 0x4A4A4A, 0xEBEBEB, 0x000000, 0xE1A044, 0x000000, 0x5A5A5A, 0x303030, 0x6E6E6E};
    case OfficeScheme::Silver:
        return {0xE7EAEE, 0xFFFFFF, 0xD9DDE3, 0x30353D, 0x30353D, 0x7A93B5, 0xFFFFFF, 0xF2F4F6, 0xD5DAE1, 0xA7AFBB};
    case OfficeScheme::Aqua:
        return {0xDAE9EF, 0xFFFFFF, 0xC2DEE8, 0x1D4E61, 0x1D4E61, 0x2F8FB8, 0xFFFFFF, 0xE5F3F8, 0xBEDCE7, 0x86BCCF};
    }
    return officeColours(OfficeScheme::Blue);
}

LookColours coloursOf(const VisualLook& look)
{
    switch (look.family) {
    case LookFamily::Plain:
        return {0xEFEFEF, 0xFFFFFF, 0xEFEFEF, 0x000000, 0x000000, 0x308CC6, 0xFFFFFF, 0xF7F7F7, 0xE4E4E4, 0xBDBDBD};
    case LookFamily::OfficeXp:
        return {0xEEEDE8, 0xFFFFFF, 0xE9E7E0, 0x000000, 0x000000, 0xB6BDD2, 0x000000, 0xF9F8F4, 0xDEDBD1, 0x9C9A92};
    case LookFamily::WindowsXp:
        return {0xECE9D8, 0xFFFFFF, 0xECE9D8, 0x000000, 0x000000, 0x316AC5, 0xFFFFFF, 0xF6F4EA, 0xE0DCC6, 0xACA899};
    case LookFamily::Office2003:
        return {0xE3EFFF, 0xFFFFFF, 0xC4DAFA, 0x000000, 0x000000, 0x4B7CC8, 0xFFFFFF, 0xDDECFE, 0x9EBEF5, 0x7A96DF};
    case LookFamily::Vs2005:
        return {0xF3F2EC, 0xFFFFFF, 0xE7E5DA, 0x000000, 0x000000, 0xC1D2EE, 0x000000, 0xFAFAF7, 0xE3E1D5, 0xA5A293};
    case LookFamily::Vs2008:
        return {0xE1E6F6, 0xFFFFFF, 0xCED5EA, 0x000000, 0x000000, 0x3399FF, 0xFFFFFF, 0xEEF1FA, 0xC9D2EB, 0x8E9BBC};
    case LookFamily::Office2007:
        return officeColours(look.scheme);
    case LookFamily::Windows7:
        return {0xF0F0F0, 0xFFFFFF, 0xF0F0F0, 0x000000, 0x000000, 0x3399FF, 0xFFFFFF, 0xFFFFFF, 0xDCE6F4, 0xB6C4D8};
    }
    return officeColours(look.scheme);
}

QString cssColour(QRgb rgb)
{
    return QColor(rgb).name();
}

// Shows the wait cursor while it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

VisualLook visualLookFor(int styleId, OfficeScheme scheme)
{
    const auto office = [](OfficeScheme s) { return VisualLook{LookFamily::Office2007, s, true, false}; };
    switch (styleId) {
    case cmd::kLookDefault:
        return {LookFamily::Plain, scheme, false, false};
    case cmd::kLookOfficeXp:
        return {LookFamily::OfficeXp, scheme, false, false};
    case cmd::kLookWindowsXp:
        return {LookFamily::WindowsXp, scheme, false, false};
    case cmd::kLookOffice2003:
        return {LookFamily::Office2003, scheme, true, false};
    case cmd::kLookVs2005:
        return {LookFamily::Vs2005, scheme, true, false};
    case cmd::kLookVs2008:
        return {LookFamily::Vs2008, scheme, true, false};
    case cmd::kLookOffice2007Blue:
        return office(OfficeScheme::Blue);
    case cmd::kLookOffice2007Black:
        return office(OfficeScheme::Black);
    case cmd::kLookOffice2007Silver:
        return office(OfficeScheme::Silver);
    case cmd::kLookOffice2007Aqua:
        return office(OfficeScheme::Aqua);
    case cmd::kLookWindows7:
        return {LookFamily::Windows7, scheme, true, true};
    default:
        return office(scheme);
    }
}

QString qtStyleName(const VisualLook& look)
{
    return look.family == LookFamily::WindowsXp ? QStringLiteral("Windows") : QStringLiteral("Fusion");
}

QPalette lookPalette(const VisualLook& look)
{
    const LookColours c = coloursOf(look);
    QPalette palette{QColor(c.button), QColor(c.window)};
    const QColor text(c.text);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Base, QColor(c.base));
    palette.setColor(QPalette::AlternateBase, QColor(c.window));
    palette.setColor(QPalette::Text, QColor(c.baseText));
    palette.setColor(QPalette::ToolTipBase, QColor(c.base));
    palette.setColor(QPalette::ToolTipText, QColor(c.baseText));
    palette.setColor(QPalette::Highlight, QColor(c.highlight));
    palette.setColor(QPalette::HighlightedText, QColor(c.highlightedText));
    const QColor disabled =
        QColor::fromRgb((qRed(c.text) + qRed(c.window)) / 2, (qGreen(c.text) + qGreen(c.window)) / 2,
                        (qBlue(c.text) + qBlue(c.window)) / 2);
    palette.setColor(QPalette::PlaceholderText, disabled);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}

QString ribbonStyleSheet(const VisualLook& look)
{
    const LookColours c = coloursOf(look);
    return QStringLiteral(
               "#ribbonBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
               " border-bottom: 1px solid %3; }\n"
               "#ribbonCategory, #ribbonPages, #ribbonPages > #qt_scrollarea_viewport { background: transparent; }\n"
               "#ribbonPanel { background: transparent; border: 1px solid %3; border-radius: 3px; }\n"
               "#ribbonPanelCaption { color: %4; background: transparent; }\n"
               "#ribbonTabs::tab { color: %4; background: transparent; padding: 3px 14px;"
               " border: 1px solid transparent; border-top-left-radius: 3px; border-top-right-radius: 3px; }\n"
               "#ribbonTabs::tab:selected { background: %1; border-color: %3; }\n"
               "QToolButton#ribbonApplicationButton { color: %6; background: %5; padding: 3px 14px;"
               " border: 1px solid %3; border-radius: 3px; font-weight: bold; }\n"
               "QToolButton#ribbonButton, QToolButton#ribbonMenuButton, QToolButton#ribbonIconButton { color: %4;"
               " background: transparent; border: 1px solid transparent; border-radius: 3px; padding: 2px; }\n"
               "QToolButton#ribbonButton:hover, QToolButton#ribbonMenuButton:hover,"
               " QToolButton#ribbonIconButton:hover { background: %1; border-color: %3; }\n"
               "QToolButton#ribbonButton:pressed, QToolButton#ribbonMenuButton:pressed,"
               " QToolButton#ribbonIconButton:pressed { background: %2; border-color: %5; }\n"
               "QToolButton#ribbonButton:disabled { color: %7; }\n"
               // The keyboard's place shows on every button of the ribbon.
               "QToolButton#ribbonButton:focus, QToolButton#ribbonMenuButton:focus,"
               " QToolButton#ribbonIconButton:focus, QToolButton#ribbonQuickAccessButton:focus,"
               " QToolButton#ribbonApplicationButton:focus { border: 1px dotted %4; }\n")
        .arg(cssColour(c.ribbonTop), cssColour(c.ribbonBottom), cssColour(c.border), cssColour(c.text),
             cssColour(c.highlight), cssColour(c.highlightedText),
             lookPalette(look).color(QPalette::Disabled, QPalette::Text).name());
}

void applyVisualLook(const VisualLook& look, QWidget* ribbon)
{
    const WaitCursor wait;
    if (QApplication::style()->name().compare(qtStyleName(look), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(qtStyleName(look));
    QApplication::setPalette(lookPalette(look));
    if (ribbon != nullptr)
        ribbon->setStyleSheet(ribbonStyleSheet(look));
}
