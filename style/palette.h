#pragma once

#include <QColor>
#include <QString>

// The colours the whole interface shares. Style sheets name them as "@name" tokens
// (StyleSheet::make); painted widgets take them as QColor.
namespace Palette {
struct Colour
{
    const char* token;
    const char* hex;
};

inline constexpr Colour kText{"text", "#484848"};
inline constexpr Colour kSecondaryText{"secondaryText", "#8991C1"};
inline constexpr Colour kAccent{"accent", "#027DF0"};
inline constexpr Colour kBlueButton{"blueButton", "#3C6EFF"};
inline constexpr Colour kBlueButtonHover{"blueButtonHover", "#507BFB"};
inline constexpr Colour kOkButton{"okButton", "#2F69F2"};
inline constexpr Colour kOkButtonHover{"okButtonHover", "#487FFF"};
inline constexpr Colour kStartButton{"startButton", "#FF9F00"};
inline constexpr Colour kStartButtonHover{"startButtonHover", "#F7B03B"};
inline constexpr Colour kPanelBorder{"panelBorder", "#E2E2E2"};
inline constexpr Colour kTableBorder{"tableBorder", "#E4E4E4"};
inline constexpr Colour kRowLine{"rowLine", "#E4EFFA"};
inline constexpr Colour kStrip{"strip", "#EBEFF8"};
inline constexpr Colour kFailure{"failure", "#D93A3A"};

inline constexpr Colour kAll[] = {
    kText,        kSecondaryText,    kAccent,      kBlueButton,  kBlueButtonHover, kOkButton, kOkButtonHover,
    kStartButton, kStartButtonHover, kPanelBorder, kTableBorder, kRowLine,         kStrip,    kFailure};

QColor color(const Colour& colour);
} // namespace Palette
