#include "cycle_editor/frm_rotamund.h"
#include "resource.h"

namespace cycle_editor {
namespace {

using platform::ControlKind;
using platform::FontSpec;
using platform::PictureFormat;
using R = FrmRotamund;

constexpr FontSpec kSans{};
constexpr FontSpec kSansBold{"MS Sans Serif", 8.25, FW_BOLD};
constexpr FontSpec kSansUnderlined{"MS Sans Serif", 8.25, FW_NORMAL, true};
constexpr FontSpec kMarlett{"Marlett", 18, FW_MEDIUM, false, SYMBOL_CHARSET};
constexpr DWORD kSortedExtended = LBS_SORT | LBS_EXTENDEDSEL;

// The tables are laid out by hand, a control to a line or two.
// clang-format off
// In creation order.
constexpr platform::ControlSpec kControls[] = {
    {R::kCmdClose, "cmdClose", ControlKind::kPushButton, "&Close", 4800, 4800, 1215, 375, 10,
     kSans},
    {R::kCmdSave, "cmdSave", ControlKind::kPushButton, "&Save Map Cycle", 3240, 4800, 1455, 375, 9,
     kSans},
    {R::kCmdRandom, "cmdRandom", ControlKind::kPushButton, "&Randomize List", 4200, 4320, 1335,
     375, 8, kSans},
    {R::kCmdDown, "cmdDown", ControlKind::kPictureButton, "", 3360, 1080, 495, 495, 5, kSansBold,
     {IDR_DOWN_ARROW, PictureFormat::kJpeg}, 0, "Move down in map cycle"},
    {R::kCmdUP, "cmdUP", ControlKind::kPictureButton, "", 3360, 600, 495, 495, 4, kSansBold,
     {IDR_UP_ARROW, PictureFormat::kJpeg}, 0, "Move up in map cycle"},
    {R::kCmdRemove, "cmdRemove", ControlKind::kSymbolButton, "3", 3360, 2160, 495, 495, 3,
     kMarlett, {}, 0, "Remove from map cycle"},
    {R::kCmdMove, "cmdMove", ControlKind::kSymbolButton, "4", 2280, 2160, 495, 495, 2, kMarlett,
     {}, 0, "Add to map cycle"},
    {R::kLstMap, "lstMap", ControlKind::kListBox, "", 3840, 240, 2175, 3960, 1, kSans, {},
     LBS_EXTENDEDSEL, "Map Cycle File"},
    {R::kLstBSP, "lstBSP", ControlKind::kListBox, "", 120, 240, 2175, 4350, 0, kSans, {},
     kSortedExtended, "All Half Life Maps"},
    {R::kLblURL, "lblURL", ControlKind::kOverlayLabel, "http://www.example.org/rotamund", 120,
     5280, 5895, 255, 11, kSansUnderlined},
    {R::kImage1, "Image1", ControlKind::kPicture, "", 2640, 3120, 960, 960, platform::kNoTabIndex,
     kSans, {IDB_ABOUT, PictureFormat::kBitmap}, 0, "About the map cycle editor"},
    {R::kLabel2, "Label2", ControlKind::kOverlayLabel, "Map Cycle File", 3840, 0, 2175, 255, 7,
     kSans},
    {R::kLabel1, "Label1", ControlKind::kOverlayLabel, "All Half Life Maps", 120, 0, 2175, 255, 6,
     kSans},
};

constexpr platform::FormSpec kLayout{
    "RotamundEditor", "Half-Life Rotamund - v2.0",
    6135,             5685,
    1485,             1650,
    platform::Frame::kFixedDialog, 0,
    {IDR_EDITOR_BACKGROUND, PictureFormat::kJpeg}, kControls,
};
// clang-format on

}  // namespace

const platform::FormSpec& FrmRotamundLayout() { return kLayout; }

}  // namespace cycle_editor
