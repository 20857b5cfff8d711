#include "app/launcher_layout.h"

#include "app/launcher.h"
#include "resource.h"

namespace app {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;
using L = Launcher;

constexpr FontSpec kSans{};
constexpr FontSpec kArial{"Arial", 8.25};
constexpr FontSpec kArialBold{"Arial", 12, FW_BOLD};
constexpr ControlKind kButton = ControlKind::kPushButton;
// A profile's button reads as checked while its files are the live ones.
constexpr ControlKind kProfile = ControlKind::kToggleButton;

// The tables are laid out by hand, a control to a line or two.
// clang-format off
// In creation order. The window's own font ("DustineSolid") is never drawn:
// every control carries a font of its own.
constexpr ControlSpec kControls[] = {
    {L::kExit, "exit", kButton, "E&xit", 3240, 2040, 615, 495, 12, kSans},
    {L::kCycle, "cycle", kButton, "Map Cycle", 3240, 840, 615, 495, 11, kSans},
    {L::kRam, "ram", kProfile, "Rambot", 3000, 240, 855, 495, 8, kSans},
    {L::kCstrike, "cstrike", kButton, "Launch Counter-Strike", 2040, 1440, 1815, 495, 7, kSans},
    {L::kRes, "res", kProfile, "Resort Counter-Strike", 120, 1440, 1815, 495, 6, kSans},
    {L::kSwa, "swa", kProfile, "Swat Bot", 2040, 840, 855, 495, 5, kSans},
    {L::kRed, "red", kProfile, "Redubot", 1080, 840, 855, 495, 4, kSans},
    {L::kRea, "rea", kProfile, "Realbot", 120, 840, 855, 495, 3, kSans},
    {L::kNnb, "nnb", kProfile, "NNBot", 2040, 240, 855, 495, 2, kSans},
    {L::kAnd, "and", kProfile, "Android", 120, 240, 855, 495, 1, kSans},
    {L::kBob, "bob", kProfile, "Bobabot", 1080, 240, 855, 495, 0, kSans},
    {L::kActivate, "activate", ControlKind::kLabel,
     "Click on bot you wish to activate, then launch Counter-Strike", 120, 2400, 3135, 495, 10,
     kArial},
    {L::kWeb, "web", ControlKind::kLabel, "Visit:- www.example.org", 120, 2040, 3135, 375, 9,
     kArialBold},
    {L::kImage1, "Image1", ControlKind::kPicture, "", 4200, 120, 2895, 2610, platform::kNoTabIndex,
     kSans, {IDR_LAUNCHER_PICTURE, platform::PictureFormat::kJpeg}, 0,
     "Orlwin Bot Launcher picture: a skyline at dusk seen through a rifle scope"},
};

constexpr platform::FormSpec kLayout{
    "OrlwinLauncher", "Orlwin Bot Launcher", 7305, 2910, 720, 1305, platform::Frame::kResizable,
    IDI_LAUNCHER,     {},                    kControls,
};
// clang-format on

}  // namespace

const platform::FormSpec& LauncherLayout() { return kLayout; }

}  // namespace app
