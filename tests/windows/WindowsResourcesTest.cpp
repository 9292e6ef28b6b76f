// The Windows program's resources as the system reads them: each dialog against the layout the
// C++ data holds, each picture against its file, and the icon, the string and the manifest.
#include "resources/templates/DialogTemplate.h"
#include "resources/templates/ResourceStrings.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// The pictures as the resource script lists them, file names relative to resources/, the test's
// working folder.
struct PictureFile {
    const char* type;
    int id;
    const char* path;
};

constexpr PictureFile pictureFiles[] = {
#define RESOURCE_PICTURE(type, id, file) {#type, id, file},
#include "Pictures.def"
#undef RESOURCE_PICTURE
};

std::span<const std::byte> resourceBytes(LPCWSTR type, int id) {
    const HMODULE self = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), type);
    const HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    return {static_cast<const std::byte*>(data), SizeofResource(self, found)};
}

std::vector<std::byte> fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    std::memcpy(bytes.data(), chars.data(), chars.size());
    return bytes;
}

std::string narrow(std::wstring_view text) {
    return {text.begin(), text.end()};
}

// Walks a DLGTEMPLATEEX and its items field by field, refusing to read past the resource's end.
class TemplateReader {
public:
    explicit TemplateReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::uint16_t word() { return take<std::uint16_t>(); }
    std::uint32_t dword() { return take<std::uint32_t>(); }
    int coordinate() { return take<std::int16_t>(); }
    int controlId() { return take<std::int32_t>(); }

    // A text, or a number written as "#" and its digits.
    std::string textOrNumber() {
        if (word() == 0xFFFF) {
            return "#" + std::to_string(word());
        }
        offset_ -= 2;
        std::wstring text;
        while (const std::uint16_t unit = word()) {
            text += static_cast<wchar_t>(unit);
        }
        return narrow(text);
    }

    void skip(std::size_t count) {
        need(count);
        offset_ += count;
    }
    void alignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }

private:
    template <typename T>
    T take() {
        need(sizeof(T));
        T value;
        std::memcpy(&value, bytes_.data() + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    void need(std::size_t count) const {
        if (offset_ + count > bytes_.size()) {
            throw std::out_of_range("dialog resource ends early");
        }
    }

    std::span<const std::byte> bytes_;
    std::size_t offset_ = 0;
};

struct ResourceControl {
    int id, x, y, width, height;
    std::uint32_t style;
    std::string windowClass, text;
};

struct ResourceDialog {
    std::uint32_t style;
    int width, height;
    std::string caption, font;
    std::vector<ResourceControl> controls;
};

ResourceDialog readDialog(std::span<const std::byte> bytes) {
    TemplateReader in(bytes);
    if (in.word() != 1 || in.word() != 0xFFFF) {
        throw std::runtime_error("not an extended dialog template");
    }
    ResourceDialog dialog;
    in.skip(8); // help id, extended style
    dialog.style = in.dword();
    const int count = in.word();
    in.skip(4); // x, y
    dialog.width = in.coordinate();
    dialog.height = in.coordinate();
    in.textOrNumber(); // menu
    in.textOrNumber(); // window class
    dialog.caption = in.textOrNumber();
    if (dialog.style & DS_SETFONT) {
        const int points = in.word();
        in.skip(4); // weight, italic, character set
        dialog.font = std::to_string(points) + " " + in.textOrNumber();
    }
    for (int i = 0; i < count; ++i) {
        in.alignToDword();
        ResourceControl control;
        in.skip(8); // help id, extended style
        control.style = in.dword();
        control.x = in.coordinate();
        control.y = in.coordinate();
        control.width = in.coordinate();
        control.height = in.coordinate();
        control.id = in.controlId();
        control.windowClass = in.textOrNumber();
        control.text = in.textOrNumber();
        in.skip(in.word()); // creation data
        dialog.controls.push_back(control);
    }
    return dialog;
}

// A window class as the system matches it: by number for its own classes, by name in any case.
std::string className(const std::string& inTemplate) {
    if (inTemplate == "#128") {
        return "button";
    }
    if (inTemplate == "#129") {
        return "edit";
    }
    if (inTemplate == "#130") {
        return "static";
    }
    std::string name = inTemplate;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

const char* expectedClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return "edit";
    case ControlKind::Button:
        return "button";
    default:
        return "static";
    }
}

// The style bits that place a text or make a picture: what the kind and alignment ask for.
std::uint32_t layoutStyle(ControlKind kind, std::uint32_t style) {
    switch (kind) {
    case ControlKind::Edit:
        return style & (ES_CENTER | ES_RIGHT);
    case ControlKind::Button:
        return 0;
    default:
        return style & SS_TYPEMASK;
    }
}

std::uint32_t expectedLayoutStyle(const TemplateControl& control) {
    const bool centred = control.align == ControlAlign::Centre;
    switch (control.kind) {
    case ControlKind::Edit:
        return centred ? ES_CENTER : ES_LEFT;
    case ControlKind::Static:
        return centred ? SS_CENTER : SS_LEFT;
    case ControlKind::Icon:
        return SS_ICON;
    default:
        return 0;
    }
}

// The three 400 by 300 unit dialogs are in the system font, whose unit is 2 pixels; the About
// box is in the dialog font. Pages are children without a caption bar; the others are pop-ups.
struct DialogCase {
    int id;
    const char* font;
    bool child;
};

constexpr DialogCase dialogCases[] = {
    {ABOUT_DIALOG, "8 MS Shell Dlg", false},
    {PC_SETUP_DIALOG, "", true},
    {X360_SETUP_DIALOG, "", true},
    {MAIN_DIALOG, "", false},
};

TEST(WindowsResources, DialogsAreTheLayoutsOfTheCxxData) {
    for (const DialogCase& c : dialogCases) {
        SCOPED_TRACE("dialog " + std::to_string(c.id));
        const DialogTemplate& layout = dialogTemplate(c.id);
        const auto bytes = resourceBytes(RT_DIALOG, c.id);
        ASSERT_FALSE(bytes.empty());
        const ResourceDialog dialog = readDialog(bytes);

        EXPECT_EQ(dialog.caption, layout.caption);
        EXPECT_EQ(dialog.width, layout.width);
        EXPECT_EQ(dialog.height, layout.height);
        EXPECT_EQ(dialog.font, c.font);
        EXPECT_EQ((dialog.style & WS_CHILD) != 0, c.child);
        EXPECT_EQ((dialog.style & WS_POPUP) != 0, !c.child);
        EXPECT_EQ((dialog.style & WS_CAPTION) == WS_CAPTION, !c.child);
        EXPECT_EQ(dialog.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);

        ASSERT_EQ(dialog.controls.size(), layout.controls.size());
        for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
            const ResourceControl& got = dialog.controls[i];
            const TemplateControl& want = layout.controls[i];
            SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.width, want.width);
            EXPECT_EQ(got.height, want.height);
            EXPECT_EQ(className(got.windowClass), expectedClass(want.kind));
            // An icon control names its icon by number, so that the system finds the resource.
            EXPECT_EQ(got.text, want.kind == ControlKind::Icon ? "#" + std::string(want.text)
                                                               : std::string(want.text));
            EXPECT_EQ((got.style & WS_VISIBLE) != 0, want.shown == ControlShown::Visible);
            EXPECT_EQ(layoutStyle(want.kind, got.style), expectedLayoutStyle(want));
        }
    }
}

TEST(WindowsResources, PicturesAreTheFilesOfThePictureList) {
    ASSERT_GT(std::size(pictureFiles), 50u);
    for (const PictureFile& picture : pictureFiles) {
        SCOPED_TRACE(picture.path);
        const std::vector<std::byte> file = fileBytes(picture.path);
        ASSERT_FALSE(file.empty());
        const bool bitmap = std::string_view(picture.type) == "BITMAP";
        // A bitmap resource is its file without the 14-byte file header.
        const std::size_t fileHeader = bitmap ? sizeof(BITMAPFILEHEADER) : 0;
        const auto resource = resourceBytes(bitmap ? RT_BITMAP : L"PNG", picture.id);
        ASSERT_EQ(resource.size(), file.size() - fileHeader);
        EXPECT_EQ(std::memcmp(resource.data(), file.data() + fileHeader, resource.size()), 0);
    }
}

TEST(WindowsResources, HighlightBitmapLoadsAtItsFileSize) {
    const std::vector<std::byte> file = fileBytes("bitmap/143.bmp");
    BITMAPINFOHEADER header;
    ASSERT_GE(file.size(), sizeof(BITMAPFILEHEADER) + sizeof header);
    std::memcpy(&header, file.data() + sizeof(BITMAPFILEHEADER), sizeof header);

    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(143), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr) << GetLastError();
    BITMAP info;
    ASSERT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, header.biWidth);
    EXPECT_EQ(info.bmHeight, header.biHeight);
    DeleteObject(bitmap);
}

TEST(WindowsResources, IconLoadsAtBothWindowIconSizes) {
    for (const int side : {16, 32}) {
        SCOPED_TRACE(side);
        const auto icon = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(153), IMAGE_ICON, side, side, 0));
        ASSERT_NE(icon, nullptr) << GetLastError();
        ICONINFO parts;
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP colour;
        ASSERT_NE(GetObjectW(parts.hbmColor, sizeof colour, &colour), 0);
        EXPECT_EQ(colour.bmWidth, side);
        EXPECT_EQ(colour.bmHeight, side);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(WindowsResources, AboutEntryStringAndManifestArePresent) {
    wchar_t text[64];
    const int length = LoadStringW(GetModuleHandleW(nullptr), ABOUT_MENU_ENTRY.id, text, 64);
    EXPECT_EQ(narrow({text, static_cast<std::size_t>(length)}), ABOUT_MENU_ENTRY.text);

    // The manifest is in force: the process's activation context sends the common controls to
    // the side-by-side assembly of version 6 that it names.
    ASSERT_FALSE(resourceBytes(RT_MANIFEST, 1).empty());
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &redirection))
        << GetLastError();
}

} // namespace
} // namespace vantrel
