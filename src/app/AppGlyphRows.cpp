// The pixels of the main window's glyphs, row by row from the top, one letter per pixel; the
// letters stand for the colours below. Each set is in the order of its enum in AppGlyphs.h.
#include "app/AppGlyphs.h"

#include <array>
#include <iterator>
#include <string>

namespace {

struct TGlyphRows {
    std::array<const char*, ToolGlyphSize> Rows;
};

// The colour of each letter (0xAARRGGBB); '.' is clear.
struct TGlyphColour {
    char Letter;
    uint32_t Colour;
};
constexpr TGlyphColour Colours[] = {
    {'k', 0xFF000000},  // black
    {'#', 0xFF202020},  // ink
    {'n', 0xFF102050},  // navy
    {'B', 0xFF2050C0},  // blue
    {'b', 0xFF88B0E8},  // light blue
    {'m', 0xFFE8F0FF},  // the magnifier's lens
    {'g', 0xFF209040},  // green
    {'x', 0xFF808080},  // grey
    {'l', 0xFFC8C8C8},  // light grey
    {'w', 0xFFFFFFFF},  // paper
    {'y', 0xFFF0C030},  // yellow
    {'v', 0xFFFFF0B0},  // pale yellow
    {'r', 0xFFD03020},  // red
    {'o', 0xFFA06030},  // brown
    // The colour bands of the program's scale, from low to high values.
    {'1', 0xFF1030A0}, {'2', 0xFF2070E0}, {'3', 0xFF20A0A0}, {'4', 0xFF30B040},
    {'5', 0xFFC0D020}, {'6', 0xFFF09020}, {'7', 0xFFD02020},
    // The lightest blue, the darkest and lightest green and the darkest red of the palette buttons.
    {'c', 0xFF60A0F0}, {'d', 0xFF107020}, {'e', 0xFF90D060}, {'f', 0xFFA01010},
};

// The menus' and tool bars' glyphs, in the order of TToolGlyph.
namespace tool {

constexpr TGlyphRows Open{{
    "................",
    "................",
    "................",
    ".#######........",
    ".#yyyyy#........",
    ".##############.",
    ".#vvvvvvvvvvvv#.",
    ".#yyyyyyyyyyyy#.",
    ".#yyyyyyyyyyyy#.",
    ".#yyyyyyyyyyyy#.",
    ".#yyyyyyyyyyyy#.",
    ".#yyyyyyyyyyyy#.",
    ".#yyyyyyyyyyyy#.",
    ".##############.",
    "................",
    "................"}};

constexpr TGlyphRows Save{{
    "................",
    ".nnnnnnnnnnnnnn.",
    ".nBBnwwwwwwnBBn.",
    ".nBBnwwwwwwnBBn.",
    ".nBBnwwwwwwnBBn.",
    ".nBBnwwwwwwnBBn.",
    ".nBBnnnnnnnnBBn.",
    ".nBBBBBBBBBBBBn.",
    ".nBBBBBBBBBBBBn.",
    ".nBBBBBBBBBBBBn.",
    ".nBBBnnnnnnBBBn.",
    ".nBBBnlllnnBBBn.",
    ".nBBBnlllnnBBBn.",
    ".nBBBnlllnnBBBn.",
    ".nnnnnnnnnnnnnn.",
    "................"}};

constexpr TGlyphRows New{{
    "................",
    "...#######......",
    "...#wwwww##.....",
    "...#wwwww#w#....",
    "...#wwwww#ww#...",
    "...#wwwww####...",
    "...#wwwwwwww#...",
    "...#wwwwwwww#...",
    "...ggwwwwwww#...",
    "...ggwwwwwww#...",
    ".gggggggwwww#...",
    ".gggggggwwww#...",
    "...ggwwwwwww#...",
    "...ggwwwwwww#...",
    "...##########...",
    "................"}};

constexpr TGlyphRows Print{{
    "................",
    "....########....",
    "....#wwwwww#....",
    "....#wwwwww#....",
    "....#wwwwww#....",
    "....#wwwwww#....",
    ".##############.",
    ".#llllllllllll#.",
    ".#llllllllllgl#.",
    ".#llllllllllll#.",
    ".#ll########ll#.",
    ".####wwwwww####.",
    "....#xxxxxx#....",
    "....#wwwwww#....",
    "....########....",
    "................"}};

constexpr TGlyphRows Export{{
    "................",
    "...#######......",
    "...#wwwww##.....",
    "...#wwwww#w#....",
    "...#wwwww#ww#...",
    "...#w777777##...",
    "...#w777777w#...",
    "...#w777777w#...",
    "...#w777777w#...",
    "...#w777777w#...",
    "...#w777777wgg..",
    "...#wwwwwgggggg.",
    "...#wwwwwgggggg.",
    "...#wwwwwwwwgg..",
    "...##########...",
    "................"}};

constexpr TGlyphRows Help{{
    "................",
    ".....BBBBBB.....",
    "...BBBBBBBBBB...",
    "..BBBBwwwwBBBB..",
    "..BBBBwwwwwwBB..",
    ".BBBBBBBBBwwBBB.",
    ".BBBBBBBBBwwBBB.",
    ".BBBBBBBwwBBBBB.",
    ".BBBBBBBwwBBBBB.",
    ".BBBBBBBwwBBBBB.",
    ".BBBBBBBBBBBBBB.",
    "..BBBBBBwwBBBB..",
    "..BBBBBBwwBBBB..",
    "...BBBBBBBBBB...",
    ".....BBBBBB.....",
    "................"}};

constexpr TGlyphRows PortClosed{{
    "................",
    "...........rrr..",
    "..........rrrrr.",
    "..........rrrrr.",
    "..########rrrrr.",
    "..#llllllllrrr..",
    "..#l#l#l#l#l##..",
    "..#llllllllll#..",
    "..#ll#l#l#l#l#..",
    "..#llllllllll#..",
    "..############..",
    "...llllllllll...",
    "....llllllll....",
    "......llll......",
    ".......ll.......",
    "................"}};

constexpr TGlyphRows PortOpen{{
    "................",
    "...........ggg..",
    "..........ggggg.",
    "..........ggggg.",
    "..########ggggg.",
    "..#llllllllggg..",
    "..#l#l#l#l#l##..",
    "..#llllllllll#..",
    "..#ll#l#l#l#l#..",
    "..#llllllllll#..",
    "..############..",
    "...llllllllll...",
    "....llllllll....",
    "......llll......",
    ".......ll.......",
    "................"}};

constexpr TGlyphRows Undo{{
    "................",
    "................",
    "................",
    "........BBB.....",
    "BB......BBBB....",
    "BBBBB.....BBB...",
    "BBBBB......BBB..",
    ".BBB........BB..",
    ".BB.........BB..",
    ".B..........BB..",
    "...BBB.....BBB..",
    "....BBB...BBB...",
    ".....BBBBBBB....",
    "......BBBBB.....",
    "................",
    "................"}};

constexpr TGlyphRows Interpolate{{
    "................",
    "................",
    "................",
    "..........x.....",
    "....x.....x.....",
    "....x....x.x....",
    "...x.x...x.x....",
    "...x.x...x..x...",
    "...x.x...x..x...",
    "..x.BBBBBBBB.x..",
    "..xBBBx.x.BBBx..",
    ".xBB..x.x...BBx.",
    ".BB....x.....BB.",
    ".BB....x.....BB.",
    "................",
    "................"}};

constexpr TGlyphRows FaultSignal{{
    "................",
    "................",
    "........B.......",
    "...r....B....r..",
    "....r...B...r...",
    ".....r.B.B.r....",
    "......rB.Br.....",
    ".......r.r......",
    ".......BrB......",
    ".......r.r......",
    "......r...r.....",
    ".....rB...Br....",
    "BBBBrBB...BBrBBB",
    "...r.........r..",
    "................",
    "................"}};

constexpr TGlyphRows RemoveDummies{{
    "................",
    ".BB..BB..BB..BB.",
    ".BB..BB..BB..BB.",
    "................",
    "................",
    ".BB..BB..BB..BB.",
    ".BB..BB..BB..BB.",
    "................",
    "....rrrrr.......",
    ".BB.rrr.rBB..BB.",
    ".BB.rrr.rBB..BB.",
    "....r...r.......",
    "....rrrrr.......",
    ".BB..BB..BB..BB.",
    ".BB..BB..BB..BB.",
    "................"}};

constexpr TGlyphRows Chart{{
    "................",
    ".#..............",
    ".#..............",
    ".#.........y....",
    ".#.........yy...",
    ".#...y....y.y...",
    ".#...yy...y..y..",
    ".#..y.y..y...y..",
    ".#ggggggggggggg.",
    ".#.y...yy.....y.",
    ".#.y....y.......",
    ".#y.............",
    ".#y.............",
    ".#..............",
    ".###############",
    "................"}};

constexpr TGlyphRows InfoWindow{{
    "................",
    "................",
    ".BBBBBBBBBBBBBB.",
    ".BBBBBBBBBBBBBB.",
    ".BBBBBBBBBBBBBB.",
    ".#wwwwwwwwwwww#.",
    ".#wwwwwBBwwwww#.",
    ".#wwwwwwwwwwww#.",
    ".#wwwwwBBwwwww#.",
    ".#wwwwwBBwwwww#.",
    ".#wwwwwBBwwwww#.",
    ".#wwwwwBBwwwww#.",
    ".#wwwwwBBwwwww#.",
    ".##############.",
    "................",
    "................"}};

constexpr TGlyphRows Resolution1{{
    "................",
    "................",
    "................",
    "................",
    ".............xxx",
    ".............xwx",
    "..........xxxxwx",
    "..........xwxxwx",
    ".......xxxxwxxwx",
    ".......xwxxwxxwx",
    "....xxxxwxxwxxwx",
    "....xwxxwxxwxxwx",
    ".nnnxwxxwxxwxxwx",
    ".nBnxwxxwxxwxxwx",
    ".nnnxxxxxxxxxxxx",
    "................"}};

constexpr TGlyphRows Resolution2{{
    "................",
    "................",
    "................",
    "................",
    ".............xxx",
    ".............xwx",
    "..........xxxxwx",
    "..........xwxxwx",
    ".......xxxxwxxwx",
    ".......xwxxwxxwx",
    "....nnnxwxxwxxwx",
    "....nBnxwxxwxxwx",
    ".nnnnBnxwxxwxxwx",
    ".nBnnBnxwxxwxxwx",
    ".nnnnnnxxxxxxxxx",
    "................"}};

constexpr TGlyphRows Resolution3{{
    "................",
    "................",
    "................",
    "................",
    ".............xxx",
    ".............xwx",
    "..........xxxxwx",
    "..........xwxxwx",
    ".......nnnxwxxwx",
    ".......nBnxwxxwx",
    "....nnnnBnxwxxwx",
    "....nBnnBnxwxxwx",
    ".nnnnBnnBnxwxxwx",
    ".nBnnBnnBnxwxxwx",
    ".nnnnnnnnnxxxxxx",
    "................"}};

constexpr TGlyphRows Resolution4{{
    "................",
    "................",
    "................",
    "................",
    ".............xxx",
    ".............xwx",
    "..........nnnxwx",
    "..........nBnxwx",
    ".......nnnnBnxwx",
    ".......nBnnBnxwx",
    "....nnnnBnnBnxwx",
    "....nBnnBnnBnxwx",
    ".nnnnBnnBnnBnxwx",
    ".nBnnBnnBnnBnxwx",
    ".nnnnnnnnnnnnxxx",
    "................"}};

constexpr TGlyphRows Resolution5{{
    "................",
    "................",
    "................",
    "................",
    ".............nnn",
    ".............nBn",
    "..........nnnnBn",
    "..........nBnnBn",
    ".......nnnnBnnBn",
    ".......nBnnBnnBn",
    "....nnnnBnnBnnBn",
    "....nBnnBnnBnnBn",
    ".nnnnBnnBnnBnnBn",
    ".nBnnBnnBnnBnnBn",
    ".nnnnnnnnnnnnnnn",
    "................"}};

constexpr TGlyphRows Wireframe{{
    "................",
    "................",
    "..BBBBBBBBBBBBb.",
    "..B...B...B..bB.",
    "..B...B...B.b.B.",
    "..B...B...Bb..B.",
    "..BBBBBBBBbBBBB.",
    "..B...B..bB...B.",
    "..B...B.b.B...B.",
    "..B...Bb..B...B.",
    "..BBBBbBBBBBBBB.",
    "..B..bB...B...B.",
    "..B.b.B...B...B.",
    "..Bb..B...B...B.",
    "..bBBBBBBBBBBBB.",
    "................"}};

constexpr TGlyphRows LineUp{{
    "................",
    ".......gg.......",
    "......gggg......",
    ".....gggggg.....",
    "....gggggggg....",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    "................",
    ".##############.",
    ".##############.",
    "................"}};

constexpr TGlyphRows LineDown{{
    "................",
    ".##############.",
    ".##############.",
    "................",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    "....gggggggg....",
    ".....gggggg.....",
    "......gggg......",
    ".......gg.......",
    "................"}};

constexpr TGlyphRows ZoomIn{{
    "................",
    ".....###........",
    "...#######......",
    "..###mmm###.....",
    "..##mm#mm##.....",
    ".##mmm#mmm##....",
    ".##m#####m##....",
    ".##mmm#mmm##....",
    "..##mm#mm##.....",
    "..###mmm###.....",
    "...#########....",
    ".....###..###...",
    "...........###..",
    "............###.",
    ".............###",
    "..............#."}};

constexpr TGlyphRows ZoomOut{{
    "................",
    ".....###........",
    "...#######......",
    "..###mmm###.....",
    "..##mmmmm##.....",
    ".##mmmmmmm##....",
    ".##m#####m##....",
    ".##mmmmmmm##....",
    "..##mmmmm##.....",
    "..###mmm###.....",
    "...#########....",
    ".....###..###...",
    "...........###..",
    "............###.",
    ".............###",
    "..............#."}};

constexpr TGlyphRows StretchIn{{
    ".......BB.......",
    ".......BB.......",
    "....BBBBBBBB....",
    ".....BBBBBB.....",
    "......BBBB......",
    ".......BB.......",
    "................",
    "..############..",
    "..############..",
    "................",
    ".......BB.......",
    "......BBBB......",
    ".....BBBBBB.....",
    "....BBBBBBBB....",
    ".......BB.......",
    ".......BB......."}};

constexpr TGlyphRows StretchOut{{
    ".......BB.......",
    "......BBBB......",
    ".....BBBBBB.....",
    "....BBBBBBBB....",
    ".......BB.......",
    ".......BB.......",
    ".......BB.......",
    "..############..",
    "..############..",
    ".......BB.......",
    ".......BB.......",
    ".......BB.......",
    "....BBBBBBBB....",
    ".....BBBBBB.....",
    "......BBBB......",
    ".......BB......."}};

constexpr TGlyphRows ViewReset{{
    ".......ggggg....",
    ".........ggg....",
    "......gggg.g....",
    "....ggggggg.....",
    "...ggg..........",
    "...gg...........",
    "..gg...##.......",
    "..gg..####......",
    "..gg..####......",
    "..gg...##.......",
    "...gg......g....",
    "...ggg....ggg...",
    "....gggggggg....",
    "......gggg......",
    "................",
    "................"}};

constexpr TGlyphRows Perspective{{
    "................",
    ".....##########.",
    "....#........##.",
    "...#........#.#.",
    "..#........#..#.",
    ".##########...#.",
    ".#bbbbbbbb#...#.",
    ".#bbbbbbbb#...#.",
    ".#bbbbbbbb#...#.",
    ".#bbbbbbbb#...#.",
    ".#bbbbbbbb#...#.",
    ".#bbbbbbbb#..#..",
    ".#bbbbbbbb#.#...",
    ".#bbbbbbbb##....",
    ".##########.....",
    "................"}};

constexpr TGlyphRows Front{{
    "................",
    "................",
    "..############..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..############..",
    "..BBBBBBBBBBBB..",
    "..BBBBBBBBBBBB..",
    "..BBBBBBBBBBBB..",
    "..BBBBBBBBBBBB..",
    "................",
    "................"}};

constexpr TGlyphRows Top{{
    "................",
    "................",
    "..############..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..#bbbBBBBbbb#..",
    "..#bbBBBBBBbb#..",
    "..#bbBBBBBBbb#..",
    "..#bbBBBBBBbb#..",
    "..#bbBBBBBBbb#..",
    "..#bbbBBBBbbb#..",
    "..#bbbbbbbbbb#..",
    "..#bbbbbbbbbb#..",
    "..############..",
    "................",
    "................"}};

constexpr TGlyphRows Remarks{{
    "................",
    "...#######......",
    "...#wwwww##.....",
    "...#wwwww#w#....",
    "...#wwwww#ww#...",
    "...#wwwww####...",
    "...#wwwwwwww#...",
    "...#wxxxxxxx#...",
    "...#wwwwwwww#...",
    "...#wxxxxxxx#...",
    "...#wwwwwwww#...",
    "...#wxxxxxxx#...",
    "...#wwwwwwww#...",
    "...#wxxxxxxx#...",
    "...##########...",
    "................"}};

constexpr TGlyphRows Preferences{{
    "................",
    "................",
    ".......xx.......",
    "...xx.xxxx.xx...",
    "...xxxxxxxxxx...",
    "....xxxxxxxx....",
    "...xxxx..xxxx...",
    "..xxxx....xxxxx.",
    "..xxxx....xxxxx.",
    "...xxxx..xxxx...",
    "....xxxxxxxx....",
    "...xxxxxxxxxx...",
    "...xx.xxxx.xx...",
    ".......xx.......",
    ".......xx.......",
    "................"}};

constexpr TGlyphRows Import{{
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".......gg.......",
    ".###gggggggg###.",
    ".#lllgggggglll#.",
    ".#llllggggllll#.",
    ".#lllllgglllll#.",
    ".#llllllllllll#.",
    ".#llllllllllll#.",
    ".##############.",
    "................"}};

constexpr TGlyphRows Exit{{
    "................",
    "..########......",
    "..#oooooo#......",
    "..#oooooo#......",
    "..#oooooo#......",
    "..#oooooo#......",
    "..#oooooo#..rr..",
    "..#oooooorrrrrr.",
    "..#oooooyrrrrrr.",
    "..#oooooo#..rr..",
    "..#oooooo#......",
    "..#oooooo#......",
    "..#oooooo#......",
    "..#oooooo#......",
    "..########......",
    "................"}};

constexpr TGlyphRows SplitScreen{{
    "................",
    ".rrrrrrrrrrxxxx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxxxx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxxxx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rkkkkkkkkrxkkx.",
    ".rrrrrrrrrrxxxx.",
    "................"}};

constexpr TGlyphRows Fullscreen{{
    "................",
    ".##############.",
    ".#............#.",
    ".#.BB.........#.",
    ".#.BBBBBB.....#.",
    ".#..BBBB......#.",
    ".#..BBB.......#.",
    ".#..BB.....B..#.",
    ".#..B.....BB..#.",
    ".#.......BBB..#.",
    ".#......BBBB..#.",
    ".#.....BBBBBB.#.",
    ".#.........BB.#.",
    ".#............#.",
    ".##############.",
    "................"}};

constexpr TGlyphRows CrossHairs{{
    "................",
    ".......##.......",
    ".......##.......",
    ".......rr.......",
    ".....rrrrrr.....",
    "....rr.##.rr....",
    "....r..##..r....",
    ".##rr######rr##.",
    ".##rr######rr##.",
    "....r..##..r....",
    "....rr.##.rr....",
    ".....rrrrrr.....",
    ".......rr.......",
    ".......##.......",
    ".......##.......",
    "................"}};

}  // namespace tool

constexpr TGlyphRows ToolGlyphRows[] = {
    tool::Open, tool::Save, tool::New, tool::Print, tool::Export, tool::Help, tool::PortClosed, tool::PortOpen,
    tool::Undo, tool::Interpolate, tool::FaultSignal, tool::RemoveDummies, tool::Chart, tool::InfoWindow,
    tool::Resolution1, tool::Resolution2, tool::Resolution3, tool::Resolution4, tool::Resolution5, tool::Wireframe,
    tool::LineUp, tool::LineDown, tool::ZoomIn, tool::ZoomOut, tool::StretchIn, tool::StretchOut, tool::ViewReset,
    tool::Perspective, tool::Front, tool::Top, tool::Remarks, tool::Preferences, tool::Import, tool::Exit,
    tool::SplitScreen, tool::Fullscreen, tool::CrossHairs
};

// The palette buttons' glyphs: the blue, green and red bands they show or hide.
namespace palette {

constexpr TGlyphRows Blue{{
    "................",
    ".##############.",
    ".#111111111111#.",
    ".#111111111111#.",
    ".#111111111111#.",
    ".#111111111111#.",
    ".#222222222222#.",
    ".#222222222222#.",
    ".#222222222222#.",
    ".#222222222222#.",
    ".#cccccccccccc#.",
    ".#cccccccccccc#.",
    ".#cccccccccccc#.",
    ".#cccccccccccc#.",
    ".##############.",
    "................"}};

constexpr TGlyphRows Green{{
    "................",
    ".##############.",
    ".#dddddddddddd#.",
    ".#dddddddddddd#.",
    ".#dddddddddddd#.",
    ".#dddddddddddd#.",
    ".#444444444444#.",
    ".#444444444444#.",
    ".#444444444444#.",
    ".#444444444444#.",
    ".#eeeeeeeeeeee#.",
    ".#eeeeeeeeeeee#.",
    ".#eeeeeeeeeeee#.",
    ".#eeeeeeeeeeee#.",
    ".##############.",
    "................"}};

constexpr TGlyphRows Red{{
    "................",
    ".##############.",
    ".#ffffffffffff#.",
    ".#ffffffffffff#.",
    ".#ffffffffffff#.",
    ".#ffffffffffff#.",
    ".#777777777777#.",
    ".#777777777777#.",
    ".#777777777777#.",
    ".#777777777777#.",
    ".#666666666666#.",
    ".#666666666666#.",
    ".#666666666666#.",
    ".#666666666666#.",
    ".##############.",
    "................"}};

}  // namespace palette

constexpr TGlyphRows PaletteGlyphRows[] = {
    palette::Blue, palette::Green, palette::Red
};

// The navigator's own glyphs, in the order of TNavigatorGlyph.
namespace navigator {

constexpr TGlyphRows TurnLeft{{
    "................",
    "................",
    "......BBBB......",
    "....BBBBBBB.....",
    "...BBB..........",
    "...BB...........",
    "..BB............",
    "..BB............",
    "..BB............",
    "..BB............",
    "...BB......B....",
    "...BBB....BBBB..",
    "....BBBBBBBB.BB.",
    "......BBBB...BBB",
    "............BBBB",
    "............BBB."}};

constexpr TGlyphRows TurnRight{{
    ".......BBBBB....",
    ".........BBB....",
    "......BBBB.B....",
    "....BBBBBBB.....",
    "...BBB..........",
    "...BB...........",
    "..BB............",
    "..BB............",
    "..BB............",
    "..BB............",
    "...BB......B....",
    "...BBB....BBB...",
    "....BBBBBBBB....",
    "......BBBB......",
    "................",
    "................"}};

constexpr TGlyphRows MoveLeft{{
    "................",
    "................",
    "............B...",
    "..........BBB...",
    "........BBBBB...",
    ".......BBBBBB...",
    ".....BBBBBBBB...",
    "...BBBBBBBBBB...",
    "...BBBBBBBBBB...",
    ".....BBBBBBBB...",
    ".......BBBBBB...",
    "........BBBBB...",
    "..........BBB...",
    "............B...",
    "................",
    "................"}};

constexpr TGlyphRows MoveRight{{
    "................",
    "................",
    "...B............",
    "...BBB..........",
    "...BBBBB........",
    "...BBBBBB.......",
    "...BBBBBBBB.....",
    "...BBBBBBBBBB...",
    "...BBBBBBBBBB...",
    "...BBBBBBBB.....",
    "...BBBBBB.......",
    "...BBBBB........",
    "...BBB..........",
    "...B............",
    "................",
    "................"}};

constexpr TGlyphRows MoveUp{{
    "................",
    "................",
    "................",
    ".......BB.......",
    ".......BB.......",
    "......BBBB......",
    "......BBBB......",
    ".....BBBBBB.....",
    "....BBBBBBBB....",
    "....BBBBBBBB....",
    "...BBBBBBBBBB...",
    "...BBBBBBBBBB...",
    "..BBBBBBBBBBBB..",
    "................",
    "................",
    "................"}};

constexpr TGlyphRows MoveDown{{
    "................",
    "................",
    "................",
    "..BBBBBBBBBBBB..",
    "...BBBBBBBBBB...",
    "...BBBBBBBBBB...",
    "....BBBBBBBB....",
    "....BBBBBBBB....",
    ".....BBBBBB.....",
    "......BBBB......",
    "......BBBB......",
    ".......BB.......",
    ".......BB.......",
    "................",
    "................",
    "................"}};

constexpr TGlyphRows UpperLimitUp{{
    "................",
    ".######.........",
    ".#7777#....##...",
    ".#6666###.####..",
    ".#6666#..######.",
    ".#5555#.########",
    ".#5555#....##...",
    ".#4444#....##...",
    ".#3333#....##...",
    ".#3333#....##...",
    ".#2222#....##...",
    ".#2222#....##...",
    ".#1111#....##...",
    ".#1111#....##...",
    ".######.........",
    "................"}};

constexpr TGlyphRows UpperLimitDown{{
    "................",
    ".######.........",
    ".#7777#....##...",
    ".#6666###..##...",
    ".#6666#....##...",
    ".#5555#....##...",
    ".#5555#....##...",
    ".#4444#....##...",
    ".#3333#....##...",
    ".#3333#....##...",
    ".#2222#.########",
    ".#2222#..######.",
    ".#1111#...####..",
    ".#1111#....##...",
    ".######.........",
    "................"}};

constexpr TGlyphRows LowerLimitUp{{
    "................",
    ".######.........",
    ".#7777#....##...",
    ".#6666#...####..",
    ".#6666#..######.",
    ".#5555#.########",
    ".#5555#....##...",
    ".#4444#....##...",
    ".#3333#....##...",
    ".#3333#....##...",
    ".#2222#....##...",
    ".#2222#....##...",
    ".#1111###..##...",
    ".#1111#....##...",
    ".######.........",
    "................"}};

constexpr TGlyphRows LowerLimitDown{{
    "................",
    ".######.........",
    ".#7777#....##...",
    ".#6666#....##...",
    ".#6666#....##...",
    ".#5555#....##...",
    ".#5555#....##...",
    ".#4444#....##...",
    ".#3333#....##...",
    ".#3333#....##...",
    ".#2222#.########",
    ".#2222#..######.",
    ".#1111###.####..",
    ".#1111#....##...",
    ".######.........",
    "................"}};

}  // namespace navigator

constexpr TGlyphRows NavigatorGlyphRows[] = {
    navigator::TurnLeft, navigator::TurnRight, navigator::MoveLeft, navigator::MoveRight, navigator::MoveUp,
    navigator::MoveDown, navigator::UpperLimitUp, navigator::UpperLimitDown, navigator::LowerLimitUp,
    navigator::LowerLimitDown
};

constexpr bool IsColourLetter(char Letter)
{
    for (const TGlyphColour& c : Colours)
        if (c.Letter == Letter)
            return true;
    return Letter == '.';
}

// Every row of every glyph is whole and draws only with the letters above.
template <size_t Count>
constexpr bool Whole(const TGlyphRows (&Glyphs)[Count])
{
    for (const TGlyphRows& g : Glyphs)
        for (const char* row : g.Rows) {
            if (std::char_traits<char>::length(row) != ToolGlyphSize)
                return false;
            for (int x = 0; x < ToolGlyphSize; ++x)
                if (!IsColourLetter(row[x]))
                    return false;
        }
    return true;
}

static_assert(std::size(ToolGlyphRows) == static_cast<size_t>(TToolGlyph::Count) && Whole(ToolGlyphRows));
static_assert(std::size(PaletteGlyphRows) == static_cast<size_t>(TPaletteGlyph::Count) && Whole(PaletteGlyphRows));
static_assert(std::size(NavigatorGlyphRows) == static_cast<size_t>(TNavigatorGlyph::Count) &&
              Whole(NavigatorGlyphRows));

uint32_t ColourOf(char Letter)
{
    for (const TGlyphColour& c : Colours)
        if (c.Letter == Letter)
            return c.Colour;
    return 0;  // '.': clear
}

const TGlyphRows* RowsOf(TGlyph Glyph)
{
    switch (Glyph.Set) {
    case TGlyph::TSet::Tool: return &ToolGlyphRows[Glyph.Index];
    case TGlyph::TSet::Palette: return &PaletteGlyphRows[Glyph.Index];
    case TGlyph::TSet::Navigator: return &NavigatorGlyphRows[Glyph.Index];
    case TGlyph::TSet::None: break;
    }
    return nullptr;
}

}  // namespace

TGlyphPicture GlyphPicture(TGlyph Glyph)
{
    TGlyphPicture p;
    const TGlyphRows* rows = RowsOf(Glyph);
    if (!rows)
        return p;
    p.Width = p.Height = ToolGlyphSize;
    for (const char* row : rows->Rows)
        for (int x = 0; x < ToolGlyphSize; ++x)
            p.Pixels.push_back(ColourOf(row[x]));
    return p;
}
