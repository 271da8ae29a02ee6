// The suite's shared interface resources: the divider cursor of the option
// trees (a horizontal-resize arrow).
#include <WinResource.h>

#include <iterator>

namespace {

constexpr int kCursoreDivisore = 130;

const char* const kRighe[] = {
    "................", "................", "................", "................",
    "......#..#......", ".....##..##.....", "....#.#..#.#....", "...#..#..#..#...",
    "..#...#..#...#..", "...#..#..#..#...", "....#.#..#.#....", ".....##..##.....",
    "......#..#......", "................", "................", "................"};
const char kChiavi[] = "#";
const COLORREF kColori[] = {RGB(0, 0, 0)};
const vplat::PixelArt kDivisore = {16, 16, kRighe, kChiavi, kColori};

const vplat::ResourceEntry kRisorse[] = {
    {RT_CURSOR, kCursoreDivisore, &kDivisore},
};

}  // namespace

extern "C" const vplat::ResourceTable vplatResourceSection = {L"QvInterfaceResources.dll", kRisorse,
                                                               static_cast<int>(std::size(kRisorse))};
