#pragma once

#include <QColor>
#include <QString>

// The colours the whole interface shares. Style sheets name them as "@name" tokens
// (StyleSheet::make); painted widgets take them as QColor. Entries are named for what they
// colour, so two with the same value may still differ in purpose.
namespace Palette {
struct Colour
{
    const char* token;
    const char* hex; // "#RRGGBB", or "#AARRGGBB" for the painted colours that are see-through
};

inline constexpr Colour kText{"text", "#484848"};
inline constexpr Colour kSecondaryText{"secondaryText", "#8991C1"};
inline constexpr Colour kItemDetail{"itemDetail", "#8B8A8A"};
inline constexpr Colour kAccent{"accent", "#027DF0"};
inline constexpr Colour kBlueButton{"blueButton", "#3C6EFF"};
inline constexpr Colour kBlueButtonHover{"blueButtonHover", "#507BFB"};
inline constexpr Colour kOkButton{"okButton", "#2F69F2"};
inline constexpr Colour kOkButtonHover{"okButtonHover", "#487FFF"};
inline constexpr Colour kStartButton{"startButton", "#FF9F00"};
inline constexpr Colour kStartButtonHover{"startButtonHover", "#F7B03B"};
inline constexpr Colour kOutlinedButtonHover{"outlinedButtonHover", "#F0F0F0"};
inline constexpr Colour kPanelBorder{"panelBorder", "#E2E2E2"};
inline constexpr Colour kTableBorder{"tableBorder", "#E4E4E4"};
inline constexpr Colour kRowLine{"rowLine", "#E4EFFA"};
inline constexpr Colour kStrip{"strip", "#EBEFF8"};
inline constexpr Colour kFailure{"failure", "#D93A3A"};

// Window frames: the main title bar, the crop dialog's and the video editors' dark one.
inline constexpr Colour kTitleBar{"titleBar", "#3C6EFF"};
inline constexpr Colour kTitleButtonHover{"titleButtonHover", "#3797F1"};
inline constexpr Colour kCloseButtonHover{"closeButtonHover", "#CB3B3B"};
inline constexpr Colour kEditorTitleBar{"editorTitleBar", "#111111"};
inline constexpr Colour kEditorFrame{"editorFrame", "#E4E4E4"};
inline constexpr Colour kDialogShadow{"dialogShadow", "#7F264E77"};
inline constexpr Colour kDialogCancelBorder{"dialogCancelBorder", "#336699"};
inline constexpr Colour kDialogCancelBorderHover{"dialogCancelBorderHover", "#CC3333"};

// File lists: tables, row widgets and their buttons.
inline constexpr Colour kHeaderSection{"headerSection", "#F8F8F9"};
inline constexpr Colour kTableGrid{"tableGrid", "#003366"};
inline constexpr Colour kRowBackground{"rowBackground", "#F5F4F6"};
inline constexpr Colour kHoverBorder{"hoverBorder", "#007BFF"};
inline constexpr Colour kRowAction{"rowAction", "#027DFF"};
inline constexpr Colour kRowActionHover{"rowActionHover", "#1C8AFF"};
inline constexpr Colour kRowTextButton{"rowTextButton", "#B63A3A"};
inline constexpr Colour kRowProgressTrack{"rowProgressTrack", "#CCCCCC"};
inline constexpr Colour kScrollHandle{"scrollHandle", "#C8C8C8"};
inline constexpr Colour kSliderGroove{"sliderGroove", "#D8D8D8"};

// The output format chooser.
inline constexpr Colour kSelectedTab{"selectedTab", "#027DFF"};
inline constexpr Colour kListItemSelected{"listItemSelected", "#E5E5E5"};
inline constexpr Colour kListItemHover{"listItemHover", "#F1F1F1"};
inline constexpr Colour kFormatScrollHandle{"formatScrollHandle", "#D0D0D0"};

// Cut, slicing and to-GIF editors.
inline constexpr Colour kTimeFieldBorder{"timeFieldBorder", "#2089F6"};
inline constexpr Colour kQuietBorder{"quietBorder", "#E7EAEA"};
inline constexpr Colour kTrackPlayed{"trackPlayed", "#2769BC"};
inline constexpr Colour kTrackRest{"trackRest", "#CECECE"};
inline constexpr Colour kTrackSelection{"trackSelection", "#41CD52"};

// Region selection (crop, screen capture) and the crop dialog.
inline constexpr Colour kRegionMark{"regionMark", "#FF0000"};
inline constexpr Colour kMaskBand{"maskBand", "#696E72"};
inline constexpr Colour kToolButtonHover{"toolButtonHover", "#E7EAEA"};
inline constexpr Colour kConfirmButton{"confirmButton", "#007BFF"};
inline constexpr Colour kConfirmButtonHover{"confirmButtonHover", "#1C8AFF"};
inline constexpr Colour kCancelButton{"cancelButton", "#F3F3F3"};
inline constexpr Colour kCancelButtonBorder{"cancelButtonBorder", "#DFDFDF"};
inline constexpr Colour kCancelButtonText{"cancelButtonText", "#6D6D6D"};
inline constexpr Colour kCancelButtonHover{"cancelButtonHover", "#E5F2FF"};

// Images to PDF: the veil over the list while it runs and its two buttons.
inline constexpr Colour kProgressVeil{"progressVeil", "#A0696E72"};
inline constexpr Colour kDismissButton{"dismissButton", "#ADAEAD"};
inline constexpr Colour kDismissButtonHover{"dismissButtonHover", "#BABBBA"};
inline constexpr Colour kRevealButton{"revealButton", "#05C400"};
inline constexpr Colour kRevealButtonHover{"revealButtonHover", "#16D411"};

inline constexpr Colour kAll[] = {
    kText,
    kSecondaryText,
    kItemDetail,
    kAccent,
    kBlueButton,
    kBlueButtonHover,
    kOkButton,
    kOkButtonHover,
    kStartButton,
    kStartButtonHover,
    kOutlinedButtonHover,
    kPanelBorder,
    kTableBorder,
    kRowLine,
    kStrip,
    kFailure,
    kTitleBar,
    kTitleButtonHover,
    kCloseButtonHover,
    kEditorTitleBar,
    kEditorFrame,
    kDialogShadow,
    kDialogCancelBorder,
    kDialogCancelBorderHover,
    kHeaderSection,
    kTableGrid,
    kRowBackground,
    kHoverBorder,
    kRowAction,
    kRowActionHover,
    kRowTextButton,
    kRowProgressTrack,
    kScrollHandle,
    kSliderGroove,
    kSelectedTab,
    kListItemSelected,
    kListItemHover,
    kFormatScrollHandle,
    kTimeFieldBorder,
    kQuietBorder,
    kTrackPlayed,
    kTrackRest,
    kTrackSelection,
    kRegionMark,
    kMaskBand,
    kToolButtonHover,
    kConfirmButton,
    kConfirmButtonHover,
    kCancelButton,
    kCancelButtonBorder,
    kCancelButtonText,
    kCancelButtonHover,
    kProgressVeil,
    kDismissButton,
    kDismissButtonHover,
    kRevealButton,
    kRevealButtonHover,
};

QColor color(const Colour& colour);
} // namespace Palette
