#pragma once

#include <QPalette>
#include <QString>

class QWidget;

// The colour schemes of the Office 2007 look.
enum class OfficeScheme { Blue, Black, Silver, Aqua };

// The families of looks the visual style ids stand for.
enum class LookFamily { Plain, OfficeXp, WindowsXp, Office2003, Vs2005, Vs2008, Office2007, Windows7 };

// What the visual style command applies for one style id.
struct VisualLook {
    LookFamily family = LookFamily::Office2007;
    // The Office 2007 scheme in force. Only the Office 2007 ids change it; the
    // other looks carry it on so that a later Office 2007 look keeps it.
    OfficeScheme scheme = OfficeScheme::Blue;
    // Whether the frame re-sets its docking to the smart mode.
    bool smartDocking = true;
    // Whether the ribbon takes its Windows 7 look; ribbonStyleSheet draws it.
    bool windows7Ribbon = false;

    bool operator==(const VisualLook&) const = default;
};

// The look of style id `styleId` (205 to 210, 215 to 219; see command_ids.h)
// given the Office 2007 scheme in force. Any other id answers the Office 2007
// look with `scheme` unchanged.
VisualLook visualLookFor(int styleId, OfficeScheme scheme = OfficeScheme::Blue);

// The Qt widget style of a look: "Windows" for the native XP look, "Fusion"
// for the others.
QString qtStyleName(const VisualLook& look);
// The application palette of a look.
QPalette lookPalette(const VisualLook& look);
// The style sheet that themes the ribbon (its bar, tabs, panels and buttons)
// to match a look.
QString ribbonStyleSheet(const VisualLook& look);

// Applies a look to the application's style and palette and, when `ribbon` is
// given, its style sheet to the ribbon, with the wait cursor shown meanwhile.
// Writes no setting.
void applyVisualLook(const VisualLook& look, QWidget* ribbon);
