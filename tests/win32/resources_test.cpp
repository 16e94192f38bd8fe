// The resources of the built tanzel.exe, read as data: identifiers, language,
// image sizes and colour depth, the artwork's layout, the cursor's hot spot and
// the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{

const WORD kJapanese = 0x0411;
const UINT kTitleStringId = 103;
const UINT kClassStringId = 109;
const WORD kIconGroupId = 107;
const WORD kCursorGroupId = 130;
const WORD kVersionId = 1;
const WORD kCursorHotSpotX = 1;
const WORD kCursorHotSpotY = 14;
// The cursor's drawing fills the upper-left 17 x 16 pixels of its cell.
const int kDropperWidth = 17;
const int kDropperHeight = 16;

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kLightGrey = RGB(192, 192, 192);
const COLORREF kDarkGrey = RGB(128, 128, 128);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The standard 16-colour palette, in the order Windows uses.
const COLORREF kVgaPalette[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved;
    WORD type; // 1 icon, 2 cursor
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct CursorGroupEntry {
    WORD width;
    WORD height; // the colour bits and the mask together
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

HMODULE g_exe;

std::string NameOf(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    return name;
}

std::vector<BYTE> ResourceBytes(LPCSTR type, WORD id)
{
    HRSRC found = FindResourceExA(g_exe, type, MAKEINTRESOURCEA(id), kJapanese);
    if (!found)
        return {};
    const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(g_exe, found)));
    return std::vector<BYTE>(data, data + SizeofResource(g_exe, found));
}

// Every resource of the exe: type, name and language, as "#14/#107/1041".
struct ResourceEntry {
    std::string type;
    std::string name;
    WORD language;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list)
{
    reinterpret_cast<std::vector<ResourceEntry> *>(list)->push_back(
        {NameOf(type), NameOf(name), language});
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list)
{
    EnumResourceLanguagesA(module, type, name, AddLanguage, list);
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR list)
{
    EnumResourceNamesA(module, type, AddName, list);
    return TRUE;
}

std::vector<ResourceEntry> AllResources()
{
    std::vector<ResourceEntry> list;
    EnumResourceTypesA(g_exe, AddType, reinterpret_cast<LONG_PTR>(&list));
    return list;
}

// One icon or cursor image decoded: a colour per pixel, top row first, and
// whether the mask makes it transparent.
struct Picture {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<COLORREF> palette;
    std::vector<COLORREF> color;
    std::vector<bool> transparent;

    COLORREF At(int x, int y) const
    {
        return color[y * width + x];
    }
    bool TransparentAt(int x, int y) const
    {
        return transparent[y * width + x];
    }
};

// Decodes a BITMAPINFOHEADER, palette, colour bits and AND mask. Returns false
// on anything but an uncompressed palette image whose bytes are all there.
bool DecodeImage(const BYTE *data, size_t size, Picture *picture)
{
    BITMAPINFOHEADER header;
    if (size < sizeof header)
        return false;
    memcpy(&header, data, sizeof header);
    if (header.biSize != sizeof header || header.biCompression != BI_RGB || header.biPlanes != 1 ||
        header.biBitCount > 8 || header.biWidth <= 0 || header.biHeight <= 0 ||
        header.biHeight % 2 != 0)
        return false;
    const int width = header.biWidth;
    const int height = header.biHeight / 2;
    const int bits = header.biBitCount;
    const size_t colors = header.biClrUsed ? header.biClrUsed : (size_t{1} << bits);
    const size_t colorStride = ((width * bits + 31) / 32) * 4;
    const size_t maskStride = ((width + 31) / 32) * 4;
    const size_t paletteAt = header.biSize;
    const size_t colorAt = paletteAt + colors * 4;
    const size_t maskAt = colorAt + colorStride * height;
    if (maskAt + maskStride * height != size)
        return false;

    picture->width = width;
    picture->height = height;
    picture->bitCount = bits;
    picture->palette.clear();
    for (size_t i = 0; i < colors; ++i) {
        const BYTE *quad = data + paletteAt + i * 4;
        picture->palette.push_back(RGB(quad[2], quad[1], quad[0]));
    }
    picture->color.assign(width * height, 0);
    picture->transparent.assign(width * height, false);
    for (int y = 0; y < height; ++y) {
        const BYTE *colorRow = data + colorAt + colorStride * (height - 1 - y);
        const BYTE *maskRow = data + maskAt + maskStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const int bitAt = x * bits;
            const int index = (colorRow[bitAt / 8] >> (8 - bits - bitAt % 8)) & ((1 << bits) - 1);
            if (static_cast<size_t>(index) >= colors)
                return false;
            picture->color[y * width + x] = picture->palette[index];
            picture->transparent[y * width + x] = (maskRow[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return true;
}

struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1; // inclusive
};

bool IsEmpty(const Box &box)
{
    return box.right < box.left;
}

// The smallest box around the pixels for which keep(x, y) holds.
template <typename Predicate> Box BoundingBox(const Picture &picture, Predicate keep)
{
    Box box;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (keep(x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

std::set<COLORREF> OpaqueColors(const Picture &picture)
{
    std::set<COLORREF> colors;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (!picture.TransparentAt(x, y))
                colors.insert(picture.At(x, y));
    return colors;
}

class Resources : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        g_exe = LoadLibraryExA(TANZEL_EXE_PATH, NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        FreeLibrary(g_exe);
        g_exe = NULL;
    }
    void SetUp() override
    {
        ASSERT_TRUE(g_exe != NULL) << "cannot load " << TANZEL_EXE_PATH;
    }

    // The images of icon group 107, in the group's order.
    static std::vector<IconGroupEntry> IconEntries()
    {
        std::vector<BYTE> group = ResourceBytes(RT_GROUP_ICON, kIconGroupId);
        GroupHeader header;
        if (group.size() < sizeof header)
            return {};
        memcpy(&header, group.data(), sizeof header);
        std::vector<IconGroupEntry> entries(header.count);
        if (header.type != 1 || group.size() != sizeof header + header.count * sizeof entries[0])
            return {};
        memcpy(entries.data(), group.data() + sizeof header, header.count * sizeof entries[0]);
        return entries;
    }

    static bool LoadIconPicture(int size, Picture *picture)
    {
        for (const IconGroupEntry &entry : IconEntries())
            if (entry.width == size) {
                std::vector<BYTE> image = ResourceBytes(RT_ICON, entry.id);
                return DecodeImage(image.data(), image.size(), picture);
            }
        return false;
    }

    // The one image of cursor group 130, its hot spot and its picture.
    static bool LoadCursorPicture(WORD *hotSpotX, WORD *hotSpotY, Picture *picture)
    {
        std::vector<BYTE> group = ResourceBytes(RT_GROUP_CURSOR, kCursorGroupId);
        GroupHeader header;
        CursorGroupEntry entry;
        if (group.size() != sizeof header + sizeof entry)
            return false;
        memcpy(&header, group.data(), sizeof header);
        memcpy(&entry, group.data() + sizeof header, sizeof entry);
        if (header.type != 2 || header.count != 1)
            return false;
        std::vector<BYTE> image = ResourceBytes(RT_CURSOR, entry.id);
        if (image.size() < 2 * sizeof(WORD))
            return false;
        memcpy(hotSpotX, image.data(), sizeof(WORD));
        memcpy(hotSpotY, image.data() + sizeof(WORD), sizeof(WORD));
        return DecodeImage(image.data() + 2 * sizeof(WORD), image.size() - 2 * sizeof(WORD),
                           picture);
    }
};

// ---- Strings, identifiers, language ------------------------------------------

TEST_F(Resources, StringsGiveTheWindowTitleAndClassName)
{
    const struct {
        UINT id;
        const char *text;
    } cases[] = {
        {kTitleStringId, "tanzel"},
        {kClassStringId, "TANZEL"},
    };
    for (const auto &c : cases) {
        char buffer[100] = "";
        EXPECT_EQ(static_cast<int>(strlen(c.text)), LoadStringA(g_exe, c.id, buffer, 100))
            << "string " << c.id;
        EXPECT_STREQ(c.text, buffer) << "string " << c.id;
    }
}

TEST_F(Resources, EveryResourceIsJapanese)
{
    std::vector<ResourceEntry> all = AllResources();
    ASSERT_FALSE(all.empty());
    for (const ResourceEntry &entry : all)
        EXPECT_EQ(kJapanese, entry.language) << "type " << entry.type << " name " << entry.name;
}

TEST_F(Resources, NamedResourcesAreExactlyStringsIconCursorAndVersion)
{
    // Strings 103 and 109 share string block 7; icon and cursor images are
    // numbered by the resource compiler, so only their count is fixed.
    std::multiset<std::string> named, imageTypes;
    for (const ResourceEntry &entry : AllResources()) {
        if (entry.type == NameOf(RT_ICON) || entry.type == NameOf(RT_CURSOR))
            imageTypes.insert(entry.type);
        else
            named.insert(entry.type + "/" + entry.name);
    }
    const std::multiset<std::string> expected = {
        NameOf(RT_STRING) + "/#7",
        NameOf(RT_GROUP_ICON) + "/#" + std::to_string(kIconGroupId),
        NameOf(RT_GROUP_CURSOR) + "/#" + std::to_string(kCursorGroupId),
        NameOf(RT_VERSION) + "/#" + std::to_string(kVersionId),
    };
    EXPECT_EQ(expected, named);
    EXPECT_EQ(2u, imageTypes.count(NameOf(RT_ICON)));
    EXPECT_EQ(1u, imageTypes.count(NameOf(RT_CURSOR)));
}

TEST_F(Resources, NoManifestMenuDialogOrAcceleratorTable)
{
    const struct {
        LPCSTR type;
        const char *what;
    } absent[] = {
        {RT_MANIFEST, "manifest"},
        {RT_MENU, "menu"},
        {RT_DIALOG, "dialog"},
        {RT_ACCELERATOR, "accelerator table"},
    };
    std::vector<ResourceEntry> all = AllResources();
    ASSERT_FALSE(all.empty());
    for (const auto &a : absent)
        for (const ResourceEntry &entry : all)
            EXPECT_NE(NameOf(a.type), entry.type) << "a " << a.what << " named " << entry.name;
}

// ---- Icon 107 ------------------------------------------------------------------

TEST_F(Resources, IconGroupHoldsA32And16PixelImageIn16Colours)
{
    std::vector<IconGroupEntry> entries = IconEntries();
    ASSERT_EQ(2u, entries.size());
    const int sizes[] = {32, 16};
    for (size_t i = 0; i < entries.size(); ++i) {
        const IconGroupEntry &entry = entries[i];
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(sizes[i], entry.width);
        EXPECT_EQ(sizes[i], entry.height);
        EXPECT_EQ(16, entry.colorCount);
        EXPECT_EQ(1, entry.planes);
        EXPECT_EQ(4, entry.bitCount);
        std::vector<BYTE> image = ResourceBytes(RT_ICON, entry.id);
        EXPECT_EQ(entry.bytesInRes, image.size());
        Picture picture;
        ASSERT_TRUE(DecodeImage(image.data(), image.size(), &picture));
        EXPECT_EQ(sizes[i], picture.width);
        EXPECT_EQ(sizes[i], picture.height);
        EXPECT_EQ(4, picture.bitCount);
        EXPECT_EQ(std::vector<COLORREF>(kVgaPalette, kVgaPalette + 16), picture.palette);
    }
}

TEST_F(Resources, LargeIconIsAWhiteSquareWithColouredDotsAndTransparentCorners)
{
    Picture icon;
    ASSERT_TRUE(LoadIconPicture(32, &icon));
    // Rounded corners: the outermost corner pixels show the desktop through.
    EXPECT_TRUE(icon.TransparentAt(0, 0));
    EXPECT_TRUE(icon.TransparentAt(31, 0));
    EXPECT_TRUE(icon.TransparentAt(0, 31));
    EXPECT_TRUE(icon.TransparentAt(31, 31));
    EXPECT_FALSE(icon.TransparentAt(16, 16));

    const std::set<COLORREF> colors = OpaqueColors(icon);
    for (COLORREF expected : {kBlack, kWhite, kRed, kGreen, kBlue})
        EXPECT_EQ(1u, colors.count(expected)) << std::hex << expected;
    EXPECT_TRUE(colors.count(kLightGrey) || colors.count(kDarkGrey)) << "no grey shadow";

    // Red on the forehead (upper half), green on the left cheek, blue on the
    // right, both in the lower half.
    const Box red = BoundingBox(icon, [&](int x, int y) { return icon.At(x, y) == kRed; });
    const Box green = BoundingBox(icon, [&](int x, int y) { return icon.At(x, y) == kGreen; });
    const Box blue = BoundingBox(icon, [&](int x, int y) { return icon.At(x, y) == kBlue; });
    EXPECT_LT(red.bottom, 12);
    EXPECT_LT(green.right, 12);
    EXPECT_GT(blue.left, 17);
    EXPECT_GT(green.top, 12);
    EXPECT_GT(blue.top, 12);
    EXPECT_LT(red.left, blue.left);
    EXPECT_GT(red.right, green.right);
}

TEST_F(Resources, SmallIconIsOpaqueWithWhiteCornersAndOnlyRedBesideGreys)
{
    Picture icon;
    ASSERT_TRUE(LoadIconPicture(16, &icon));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_FALSE(icon.TransparentAt(x, y)) << "(" << x << ", " << y << ")";
    EXPECT_EQ(kWhite, icon.At(0, 0));
    EXPECT_EQ(kWhite, icon.At(15, 0));
    EXPECT_EQ(kWhite, icon.At(0, 15));
    EXPECT_EQ(kWhite, icon.At(15, 15));

    const std::set<COLORREF> allowed = {kBlack, kWhite, kLightGrey, kDarkGrey, kRed};
    for (COLORREF color : OpaqueColors(icon))
        EXPECT_EQ(1u, allowed.count(color)) << "colour " << std::hex << color;
    // A red patch on each cheek: red on both sides of the middle, in the lower half.
    const Box leftRed =
        BoundingBox(icon, [&](int x, int y) { return x < 8 && icon.At(x, y) == kRed; });
    const Box rightRed =
        BoundingBox(icon, [&](int x, int y) { return x >= 8 && icon.At(x, y) == kRed; });
    ASSERT_FALSE(IsEmpty(leftRed)) << "no red on the left cheek";
    ASSERT_FALSE(IsEmpty(rightRed)) << "no red on the right cheek";
    EXPECT_GE(leftRed.top, 6);
    EXPECT_LE(leftRed.bottom, 12);
    EXPECT_GE(rightRed.top, 6);
    EXPECT_LE(rightRed.bottom, 12);
}

// ---- Cursor 130 ------------------------------------------------------------------

TEST_F(Resources, CursorGroupHoldsOne32PixelMonochromeImage)
{
    std::vector<BYTE> group = ResourceBytes(RT_GROUP_CURSOR, kCursorGroupId);
    GroupHeader header;
    CursorGroupEntry entry;
    ASSERT_EQ(sizeof header + sizeof entry, group.size());
    memcpy(&header, group.data(), sizeof header);
    memcpy(&entry, group.data() + sizeof header, sizeof entry);
    EXPECT_EQ(2, header.type);
    EXPECT_EQ(1, header.count);
    EXPECT_EQ(32, entry.width);
    EXPECT_EQ(64, entry.height);
    EXPECT_EQ(1, entry.bitCount);
    EXPECT_EQ(entry.bytesInRes, ResourceBytes(RT_CURSOR, entry.id).size());

    WORD x = 0, y = 0;
    Picture cursor;
    ASSERT_TRUE(LoadCursorPicture(&x, &y, &cursor));
    EXPECT_EQ(32, cursor.width);
    EXPECT_EQ(32, cursor.height);
    EXPECT_EQ(1, cursor.bitCount);
    EXPECT_EQ((std::vector<COLORREF>{kBlack, kWhite}), cursor.palette);
}

TEST_F(Resources, CursorHotSpotIsTheOpaqueTipOfTheDropper)
{
    WORD x = 0, y = 0;
    Picture cursor;
    ASSERT_TRUE(LoadCursorPicture(&x, &y, &cursor));
    EXPECT_EQ(kCursorHotSpotX, x);
    EXPECT_EQ(kCursorHotSpotY, y);
    ASSERT_LT(y, cursor.height);
    ASSERT_LT(x, cursor.width);
    EXPECT_FALSE(cursor.TransparentAt(x, y));
    EXPECT_EQ(kBlack, cursor.At(x, y));
    // The tip is the drawing's lower-left end: nothing opaque lies below the
    // hot spot except further left, nor left of it except further down.
    for (int py = 0; py < kDropperHeight; ++py)
        for (int px = 0; px < kDropperWidth; ++px)
            if (!cursor.TransparentAt(px, py) && (py > y || px < x)) {
                EXPECT_TRUE(px <= x && py >= y) << "(" << px << ", " << py << ")";
            }
}

TEST_F(Resources, CursorDrawingFillsTheUpperLeft17By16PixelsAndNothingElse)
{
    WORD hotSpotX = 0, hotSpotY = 0;
    Picture cursor;
    ASSERT_TRUE(LoadCursorPicture(&hotSpotX, &hotSpotY, &cursor));
    const Box drawing =
        BoundingBox(cursor, [&](int x, int y) { return !cursor.TransparentAt(x, y); });
    EXPECT_EQ(0, drawing.left);
    EXPECT_EQ(0, drawing.top);
    EXPECT_EQ(kDropperWidth - 1, drawing.right);
    EXPECT_EQ(kDropperHeight - 1, drawing.bottom);
    // Transparent pixels must not invert the screen (colour bit set with mask set).
    for (int y = 0; y < cursor.height; ++y)
        for (int x = 0; x < cursor.width; ++x)
            if (cursor.TransparentAt(x, y)) {
                EXPECT_EQ(kBlack, cursor.At(x, y)) << "(" << x << ", " << y << ")";
            }
    const std::set<COLORREF> colors = OpaqueColors(cursor);
    EXPECT_EQ((std::set<COLORREF>{kBlack, kWhite}), colors) << "black outline and white fill";
    // The bulb sits at the upper right: the top row is drawn only in its right half.
    const Box topRow =
        BoundingBox(cursor, [&](int x, int y) { return y == 0 && !cursor.TransparentAt(x, y); });
    EXPECT_GE(topRow.left, kDropperWidth / 2);
    EXPECT_EQ(kDropperWidth - 1, BoundingBox(cursor, [&](int x, int y) {
                                     return y < kDropperHeight / 2 && !cursor.TransparentAt(x, y);
                                 }).right);
}

// ---- Version block 1 ---------------------------------------------------------------

// One node of the version block: its key, its value (text for wType 1) and
// its children.
struct VersionNode {
    std::wstring key;
    bool text = false;
    std::vector<BYTE> value;
    std::vector<VersionNode> children;
};

size_t AlignTo4(size_t offset)
{
    return (offset + 3) & ~size_t{3};
}

// Parses the node at data[at], within end; returns the offset after it, or 0.
size_t ParseVersionNode(const std::vector<BYTE> &data, size_t at, size_t end, VersionNode *node)
{
    WORD length, valueLength, type;
    if (at + 6 > end)
        return 0;
    memcpy(&length, &data[at], 2);
    memcpy(&valueLength, &data[at + 2], 2);
    memcpy(&type, &data[at + 4], 2);
    const size_t nodeEnd = at + length;
    if (length < 6 || nodeEnd > end || type > 1)
        return 0;
    size_t p = at + 6;
    for (;;) {
        if (p + 2 > nodeEnd)
            return 0;
        wchar_t c = static_cast<wchar_t>(data[p] | (data[p + 1] << 8));
        p += 2;
        if (c == 0)
            break;
        node->key += c;
    }
    p = AlignTo4(p);
    node->text = type == 1;
    const size_t valueBytes = node->text ? valueLength * 2u : valueLength;
    if (p + valueBytes > nodeEnd)
        return 0;
    node->value.assign(data.begin() + p, data.begin() + p + valueBytes);
    p = AlignTo4(p + valueBytes);
    while (p < nodeEnd) {
        VersionNode child;
        size_t next = ParseVersionNode(data, p, nodeEnd, &child);
        if (next == 0)
            return 0;
        node->children.push_back(child);
        p = AlignTo4(next);
    }
    return nodeEnd;
}

std::string TextOf(const VersionNode &node)
{
    std::string text;
    for (size_t i = 0; i + 1 < node.value.size(); i += 2) {
        wchar_t c = static_cast<wchar_t>(node.value[i] | (node.value[i + 1] << 8));
        if (c == 0)
            break;
        text += static_cast<char>(c);
    }
    return text;
}

const VersionNode *ChildNamed(const VersionNode &node, const wchar_t *key)
{
    for (const VersionNode &child : node.children)
        if (child.key == key)
            return &child;
    return NULL;
}

class VersionBlock : public Resources
{
  protected:
    void SetUp() override
    {
        Resources::SetUp();
        std::vector<BYTE> data = ResourceBytes(RT_VERSION, kVersionId);
        ASSERT_FALSE(data.empty());
        ASSERT_EQ(data.size(), ParseVersionNode(data, 0, data.size(), &root_));
        ASSERT_TRUE(root_.key == L"VS_VERSION_INFO");
    }
    VersionNode root_;
};

TEST_F(VersionBlock, FixedInfoIsVersion1100ApplicationFor32BitWindowsWithoutFlags)
{
    VS_FIXEDFILEINFO info;
    ASSERT_EQ(sizeof info, root_.value.size());
    memcpy(&info, root_.value.data(), sizeof info);
    EXPECT_EQ(0xFEEF04BDu, info.dwSignature);
    EXPECT_EQ(MAKELONG(1, 1), static_cast<LONG>(info.dwFileVersionMS)); // 1.1
    EXPECT_EQ(0u, info.dwFileVersionLS);                                // .0.0
    EXPECT_EQ(MAKELONG(1, 1), static_cast<LONG>(info.dwProductVersionMS));
    EXPECT_EQ(0u, info.dwProductVersionLS);
    EXPECT_EQ(0u, info.dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), info.dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), info.dwFileType);
}

TEST_F(VersionBlock, OneJapaneseUnicodeStringTableNamesTheProgram)
{
    const VersionNode *strings = ChildNamed(root_, L"StringFileInfo");
    ASSERT_TRUE(strings != NULL);
    ASSERT_EQ(1u, strings->children.size());
    const VersionNode &table = strings->children[0];
    EXPECT_TRUE(table.key == L"041104b0") << "the one string table is not 041104b0";

    const struct {
        const wchar_t *key;
        const char *value;
    } cases[] = {
        {L"InternalName", "tanzel"},
        {L"OriginalFilename", "tanzel.exe"},
        {L"FileVersion", "1.1.0.0"},
        {L"ProductVersion", "1.1.0.0"},
    };
    for (const auto &c : cases) {
        const VersionNode *value = ChildNamed(table, c.key);
        ASSERT_TRUE(value != NULL) << c.value;
        EXPECT_TRUE(value->text);
        EXPECT_EQ(c.value, TextOf(*value));
    }
}

TEST_F(VersionBlock, TranslationIsJapaneseUnicode)
{
    const VersionNode *varInfo = ChildNamed(root_, L"VarFileInfo");
    ASSERT_TRUE(varInfo != NULL);
    const VersionNode *translation = ChildNamed(*varInfo, L"Translation");
    ASSERT_TRUE(translation != NULL);
    ASSERT_EQ(4u, translation->value.size());
    WORD language, codePage;
    memcpy(&language, translation->value.data(), 2);
    memcpy(&codePage, translation->value.data() + 2, 2);
    EXPECT_EQ(kJapanese, language);
    EXPECT_EQ(1200, codePage);
}

template <typename Function> Function ProcAddress(HMODULE module, const char *name)
{
    // Through a plain function pointer type, which may be cast to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The platform's own reader agrees with the parse above.
TEST_F(VersionBlock, PlatformReadsTheInternalAndOriginalNames)
{
    typedef DWORD(WINAPI * SizeFunction)(LPCSTR, LPDWORD);
    typedef BOOL(WINAPI * InfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
    typedef BOOL(WINAPI * QueryFunction)(LPCVOID, LPCSTR, LPVOID *, PUINT);
    HMODULE version = LoadLibraryA("version.dll");
    ASSERT_TRUE(version != NULL);
    SizeFunction getSize = ProcAddress<SizeFunction>(version, "GetFileVersionInfoSizeA");
    InfoFunction getInfo = ProcAddress<InfoFunction>(version, "GetFileVersionInfoA");
    QueryFunction query = ProcAddress<QueryFunction>(version, "VerQueryValueA");
    ASSERT_TRUE(getSize && getInfo && query);

    DWORD ignored = 0;
    DWORD size = getSize(TANZEL_EXE_PATH, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(getInfo(TANZEL_EXE_PATH, 0, size, block.data()));
    const struct {
        const char *path;
        const char *value;
    } cases[] = {
        {"\\StringFileInfo\\041104b0\\InternalName", "tanzel"},
        {"\\StringFileInfo\\041104b0\\OriginalFilename", "tanzel.exe"},
    };
    for (const auto &c : cases) {
        LPVOID value = NULL;
        UINT length = 0;
        ASSERT_TRUE(query(block.data(), c.path, &value, &length)) << c.path;
        EXPECT_STREQ(c.value, static_cast<const char *>(value)) << c.path;
    }
    FreeLibrary(version);
}

} // namespace
