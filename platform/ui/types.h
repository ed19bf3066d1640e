#pragma once
// Value types shared by the window model: geometry, colours, fonts and the enumerations of
// window and control properties.

#include <cstdint>
#include <string>

namespace kv::ui {

// A rectangle in the units of its form (twips or pixels).
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// A colour as the platform keeps it: 0x00BBGGRR.
using Color = std::uint32_t;
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kWindowBackground = 0xFFFFFF;
constexpr Color kButtonFace = 0xC0C0C0;

// A font: face name, size in points, style and character set (0 ANSI, 1 default,
// 177 Hebrew, 178 Arabic).
struct Font {
    std::string name = "MS Sans Serif";
    double size = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
    bool operator==(const Font&) const = default;
};

// Geometry units of a form: the client's forms use twips, the installer's pixels.
enum class Units { Twips, Pixels };
constexpr int kTwipsPerPixel = 15;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Frame of a window; None is a popup window without caption or frame.
enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5
};

// Mouse pointer shapes, numbered as the platform's tools number them.
enum class MousePointer {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    SizeAll = 5,
    SizeNS = 7,
    SizeWE = 9,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    Hand = 99
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// Docking of a control along an edge of its form.
enum class Align { None = 0, Top = 1, Bottom = 2, Left = 3, Right = 4 };

enum class ShowMode { Modeless = 0, Modal = 1 };

// Why a form is being unloaded (the query-unload event's mode).
enum class UnloadMode { FromControlMenu = 0, FromCode = 1, AppWindows = 2, TaskManager = 3 };

// Mouse buttons and shift keys of mouse and key events.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };
// Key codes of key events that programs test (letters and digits are their upper-case
// characters).
enum KeyCode { kKeyReturn = 13, kKeyEscape = 27, kKeyF1 = 112 };

// A mouse event: buttons, shift state and position in the control's units.
struct MouseEvent {
    int button = kLeftButton;
    int shift = 0;
    int x = 0;
    int y = 0;
};

} // namespace kv::ui
