// SPDX-FileCopyrightText: 2026 Klappomatikus-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's fixed definition: sizes and positions in twips (1/1440 inch)
// relative to the client area, colours as (red, green, blue).

struct Rgb
{
    int red;
    int green;
    int blue;
};

// "Regular" and "Bold" are the defined face at DefinedFontPointSize;
// "Default" is the application's default font.
enum class FontStyle { Default, Regular, Bold };

enum class Initially { Shown, Hidden };
enum class Enabled { Yes, No };

// Unset fields take the common value: no tool tip, the default font, the
// style's colours, shown and enabled.
struct ControlDefinition
{
    const char *name;
    int left;
    int top;
    int width;
    int height;
    const char *text; // UTF-8
    const char *toolTip = nullptr;
    FontStyle font = FontStyle::Default;
    const Rgb *foreColor = nullptr;
    const Rgb *backColor = nullptr;
    bool sizeAllCursor = false;
    Initially initially = Initially::Shown;
    Enabled enabled = Enabled::Yes;
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
// Every file in this resource folder is the window icon at one size, 32 x 32
// among them: the same drawing rendered at build time, so that the icon
// stays sharp in title bars, task bars and at high scale factors.
inline constexpr const char *IconDirectory = ":/icons";

// The defined face, at its default size the application's default font.
inline constexpr const char *DefinedFontFamily = "MS Sans Serif";
inline constexpr double DefaultFontPointSize = 8.0;
inline constexpr double DefinedFontPointSize = 9.75;

// The homepage address the program was built with.
extern const char Homepage[];

inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb ButtonGrey{192, 192, 192};

// The controls, in tab order. Laid out as a table: kept out of automatic
// formatting.
// clang-format off
inline constexpr ControlDefinition Label1{
    .name = "Label1",
    .left = 240, .top = 3240, .width = 1935, .height = 255,
    .text = "Ihre Reaktionszeit ist",
    .font = FontStyle::Regular,
    .initially = Initially::Hidden};
inline constexpr ControlDefinition Command1{
    .name = "Command1",
    .left = 0, .top = 4440, .width = 1215, .height = 375,
    .text = "Ich bin bereit",
    .toolTip = "Los geht's"};
inline constexpr ControlDefinition Command2{
    .name = "Command2",
    .left = 4440, .top = 4440, .width = 1575, .height = 375,
    .text = "Kein Bock mehr",
    .toolTip = "Programm beenden"};
inline constexpr ControlDefinition Label2{
    .name = "Label2",
    .left = 480, .top = 0, .width = 4815, .height = 735,
    .text = "Testen Sie Ihre Reaktionszeit, indem Sie nach dem Erscheinen eines roten Kreises "
            "sofort auf den Button unten in der Mitte klicken.",
    .font = FontStyle::Bold};
inline constexpr ControlDefinition Command3{
    .name = "Command3",
    .left = 1800, .top = 3960, .width = 2175, .height = 1095,
    .text = "Sobald Sie den Kreis sehen, klicken Sie mit der linken Maustaste auf dieses Feld.",
    .toolTip = "Bitte volle Konzentration",
    .backColor = &ButtonGrey,
    .sizeAllCursor = true,
    .enabled = Enabled::No};
inline constexpr ControlDefinition Label3{
    .name = "Label3",
    .left = 2280, .top = 3240, .width = 1935, .height = 255,
    .text = "",
    .font = FontStyle::Regular};
inline constexpr ControlDefinition Label4{
    .name = "Label4",
    .left = 360, .top = 840, .width = 5535, .height = 615,
    .text = "Auf meiner Homepage finden Sie noch viel mehr solcher kleinen \"nützlichen\" "
            "Programme. Dort gibt's auch jede Menge Scherzprogramme mit denen Sie Ihre "
            "\"besten Freunde\" ärgern können.",
    .foreColor = &Blue};
inline constexpr ControlDefinition Label5{
    .name = "Label5",
    .left = 3240, .top = 1440, .width = 2055, .height = 255,
    .text = Homepage,
    .font = FontStyle::Bold,
    .foreColor = &Red};

inline constexpr ShapeDefinition Shape1{.name = "Shape1",
                                        .left = 2160, .top = 1920, .width = 1815, .height = 1215,
                                        .fillColor = Red, .borderColor = Red,
                                        .accessibleName = "Roter Kreis"};

inline constexpr TimerDefinition Timer1{.name = "Timer1", .intervalMs = 500, .enabled = false};
inline constexpr TimerDefinition Timer2{.name = "Timer2", .intervalMs = 100, .enabled = true};
// clang-format on

} // namespace Form1Definition
