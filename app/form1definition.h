#pragma once

#include <array>

// The window's fixed definition: sizes and positions in twips (1/1440 inch)
// relative to the client area, colours as (red, green, blue).

struct Rgb
{
    int red;
    int green;
    int blue;
};

enum class ControlKind { Label, Button };

// "Regular" and "Bold" are the defined face at DefinedFontPointSize;
// "Default" is the application's default font.
enum class FontStyle { Default, Regular, Bold };

enum class Initially { Shown, Hidden };
enum class Enabled { Yes, No };

struct ControlDefinition
{
    const char *name;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    const char *text; // UTF-8
    const char *toolTip;
    FontStyle font;
    const Rgb *foreColor;
    const Rgb *backColor;
    bool sizeAllCursor;
    Initially initially;
    Enabled enabled;
};

struct ShapeDefinition
{
    const char *name;
    int left;
    int top;
    int width;
    int height;
    Rgb fillColor;
    Rgb borderColor;
    // What assistive technology reads out while the shape is shown.
    const char *accessibleName;
};

struct TimerDefinition
{
    const char *name;
    int intervalMs;
    bool enabled;
};

namespace Form1Definition {

inline constexpr const char *Title = "Klappomatikus";
inline constexpr int ClientWidth = 6345;
inline constexpr int ClientHeight = 5145;
inline constexpr const char *MenuName = "info";
inline constexpr const char *MenuCaption = "INFO";
inline constexpr const char *MenuItemName = "klap";
inline constexpr const char *MenuItemCaption = "Klappomatikus 1.0 vom Klappomatikus-Team";
inline constexpr const char *IconResource = ":/icons/klappomatikus-32.png";
// The same icon rendered at further sizes; %1 is the size in pixels.
inline constexpr const char *IconSizeResource = ":/icons/klappomatikus-%1.png";
inline constexpr std::array<int, 5> IconFurtherSizes{16, 24, 48, 64, 128};

inline constexpr const char *DefinedFontFamily = "MS Sans Serif";
inline constexpr double DefinedFontPointSize = 9.75;

inline constexpr const char *Homepage = KLAPPOMATIKUS_HOMEPAGE;

inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb ButtonGrey{192, 192, 192};

// Every control, in tab order.
inline constexpr std::array<ControlDefinition, 8> Controls{{
    // name       kind                  left  top   width height
    {"Label1", ControlKind::Label, 240, 3240, 1935, 255,
     "Ihre Reaktionszeit ist", nullptr,
     FontStyle::Regular, nullptr, nullptr, false, Initially::Hidden, Enabled::Yes},
    {"Command1", ControlKind::Button, 0, 4440, 1215, 375,
     "Ich bin bereit", "Los geht's",
     FontStyle::Default, nullptr, nullptr, false, Initially::Shown, Enabled::Yes},
    {"Command2", ControlKind::Button, 4440, 4440, 1575, 375,
     "Kein Bock mehr", "Programm beenden",
     FontStyle::Default, nullptr, nullptr, false, Initially::Shown, Enabled::Yes},
    {"Label2", ControlKind::Label, 480, 0, 4815, 735,
     "Testen Sie Ihre Reaktionszeit, indem Sie nach dem Erscheinen eines roten Kreises "
     "sofort auf den Button unten in der Mitte klicken.", nullptr,
     FontStyle::Bold, nullptr, nullptr, false, Initially::Shown, Enabled::Yes},
    {"Command3", ControlKind::Button, 1800, 3960, 2175, 1095,
     "Sobald Sie den Kreis sehen, klicken Sie mit der linken Maustaste auf dieses Feld.",
     "Bitte volle Konzentration",
     FontStyle::Default, nullptr, &ButtonGrey, true, Initially::Shown, Enabled::No},
    {"Label3", ControlKind::Label, 2280, 3240, 1935, 255,
     "", nullptr,
     FontStyle::Regular, nullptr, nullptr, false, Initially::Shown, Enabled::Yes},
    {"Label4", ControlKind::Label, 360, 840, 5535, 615,
     "Auf meiner Homepage finden Sie noch viel mehr solcher kleinen \"nützlichen\" Programme. "
     "Dort gibt's auch jede Menge Scherzprogramme mit denen Sie Ihre \"besten Freunde\" "
     "ärgern können.", nullptr,
     FontStyle::Default, &Blue, nullptr, false, Initially::Shown, Enabled::Yes},
    {"Label5", ControlKind::Label, 3240, 1440, 2055, 255,
     Homepage, nullptr,
     FontStyle::Bold, &Red, nullptr, false, Initially::Shown, Enabled::Yes},
}};

inline constexpr ShapeDefinition Shape1{"Shape1", 2160, 1920, 1815, 1215, Red, Red,
                                        "Roter Kreis"};

inline constexpr TimerDefinition Timer1{"Timer1", 500, false};
inline constexpr TimerDefinition Timer2{"Timer2", 100, true};

const ControlDefinition &control(const char *name);

} // namespace Form1Definition
