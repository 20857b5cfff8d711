#include "mod_chooser/frm_mods.h"
#include "resource.h"

namespace mod_chooser {
namespace {

using platform::ControlKind;
using platform::FontSpec;
using F = FrmMods;

constexpr FontSpec kSans{};
constexpr FontSpec kSansBold12{"MS Sans Serif", 12, FW_BOLD};

// The tables are laid out by hand, a control to a line or two.
// clang-format off
// In creation order.
constexpr platform::ControlSpec kControls[] = {
    {F::kCmdEdit, "cmdEdit", ControlKind::kPushButton, "&Edit", 4320, 3720, 1215, 495, 3, kSans},
    {F::kCmdClose, "cmdClose", ControlKind::kPushButton, "E&xit", 4320, 4560, 1215, 375, 1, kSans},
    {F::kLstModList, "lstModList", ControlKind::kListBox, "", 240, 360, 3255, 5160, 0, kSansBold12,
     {}, 0, "Half Life MODs with a Map Cycle"},
    {F::kImage1, "Image1", ControlKind::kPicture, "", 4440, 2400, 960, 960, platform::kNoTabIndex,
     kSans, {IDB_ABOUT, platform::PictureFormat::kBitmap}, 0, "About the map cycle editor"},
    {F::kLabel1, "Label1", ControlKind::kOverlayLabel, "Half Life MODs with a Map Cycle", 360, 120,
     3015, 255, 2, kSans},
};

constexpr platform::FormSpec kLayout{
    "RotamundChooser", "Half-Life Rotamund - v2.0",
    6105,              5655,
    1335,              1350,
    platform::Frame::kResizable, 0,
    {IDR_CHOOSER_BACKGROUND, platform::PictureFormat::kJpeg}, kControls,
};
// clang-format on

}  // namespace

const platform::FormSpec& FrmModsLayout() { return kLayout; }

}  // namespace mod_chooser
