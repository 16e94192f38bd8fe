// The size of the stripped tanzel.exe, its imports and its hardening, read
// from the file itself. Both formats: PE32 (the i686 build) and PE32+ (x86-64).
#include "tools/bench/bench.h"
#include "tools/bench/table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct PeImage {
    std::vector<unsigned char> bytes;
    const IMAGE_FILE_HEADER *file;
    const IMAGE_SECTION_HEADER *sections;
    bool plus; // PE32+
    WORD dllCharacteristics;
    IMAGE_DATA_DIRECTORY imports;
};

template <typename OptionalHeader> void ReadOptionalHeader(const void *at, PeImage *image)
{
    const OptionalHeader *optional = static_cast<const OptionalHeader *>(at);
    image->dllCharacteristics = optional->DllCharacteristics;
    image->imports = optional->NumberOfRvaAndSizes > IMAGE_DIRECTORY_ENTRY_IMPORT
                         ? optional->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT]
                         : IMAGE_DATA_DIRECTORY();
}

bool ReadPe(const char *path, PeImage *image)
{
    FILE *file = std::fopen(path, "rb");
    if (!file)
        return false;
    unsigned char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        image->bytes.insert(image->bytes.end(), buffer, buffer + got);
    std::fclose(file);
    const std::vector<unsigned char> &bytes = image->bytes;
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
        return false;
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(&bytes[0]);
    // The signature, the file header and the optional header's magic.
    size_t headersAt = dos->e_lfanew;
    if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
        headersAt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER) + sizeof(WORD) > bytes.size() ||
        *reinterpret_cast<const DWORD *>(&bytes[headersAt]) != IMAGE_NT_SIGNATURE)
        return false;
    image->file = reinterpret_cast<const IMAGE_FILE_HEADER *>(&bytes[headersAt + sizeof(DWORD)]);
    size_t optionalAt = headersAt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    WORD magic = *reinterpret_cast<const WORD *>(&bytes[optionalAt]);
    image->plus = magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    size_t optionalSize =
        image->plus ? sizeof(IMAGE_OPTIONAL_HEADER64) : sizeof(IMAGE_OPTIONAL_HEADER32);
    size_t sectionsAt = optionalAt + image->file->SizeOfOptionalHeader;
    if ((magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC && !image->plus) ||
        optionalAt + optionalSize > bytes.size() ||
        sectionsAt + image->file->NumberOfSections * sizeof(IMAGE_SECTION_HEADER) > bytes.size())
        return false;
    if (image->plus)
        ReadOptionalHeader<IMAGE_OPTIONAL_HEADER64>(&bytes[optionalAt], image);
    else
        ReadOptionalHeader<IMAGE_OPTIONAL_HEADER32>(&bytes[optionalAt], image);
    image->sections = reinterpret_cast<const IMAGE_SECTION_HEADER *>(&bytes[sectionsAt]);
    return true;
}

// File offset of a relative virtual address, or 0 outside every section.
size_t OffsetOf(const PeImage &image, DWORD rva)
{
    for (int i = 0; i < image.file->NumberOfSections; ++i) {
        const IMAGE_SECTION_HEADER &section = image.sections[i];
        DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
            size_t offset = rva - section.VirtualAddress + section.PointerToRawData;
            return offset < image.bytes.size() ? offset : 0;
        }
    }
    return 0;
}

std::string StringAt(const PeImage &image, DWORD rva)
{
    size_t offset = OffsetOf(image, rva);
    if (!offset)
        return "?";
    const char *text = reinterpret_cast<const char *>(&image.bytes[offset]);
    return std::string(text, strnlen(text, image.bytes.size() - offset));
}

bool IsZero(const PeImage &image, size_t at, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        if (image.bytes[at + i])
            return false;
    return true;
}

struct ImportedDll {
    std::string name;
    int functions;
};

std::vector<ImportedDll> ImportsOf(const PeImage &image)
{
    std::vector<ImportedDll> dlls;
    // One thunk per imported function: 4 bytes in PE32, 8 in PE32+.
    size_t thunkSize = image.plus ? 8 : 4;
    size_t offset = OffsetOf(image, image.imports.VirtualAddress);
    if (!offset)
        return dlls;
    for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        if (offset + sizeof(IMAGE_IMPORT_DESCRIPTOR) > image.bytes.size())
            break;
        const IMAGE_IMPORT_DESCRIPTOR *descriptor =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(&image.bytes[offset]);
        if (!descriptor->Name)
            break;
        ImportedDll dll = {StringAt(image, descriptor->Name), 0};
        DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk
                                                      : descriptor->FirstThunk;
        for (size_t at = OffsetOf(image, thunks);
             at && at + thunkSize <= image.bytes.size() && !IsZero(image, at, thunkSize);
             at += thunkSize)
            ++dll.functions;
        dlls.push_back(dll);
    }
    return dlls;
}

bool HasSection(const PeImage &image, const char *name)
{
    for (int i = 0; i < image.file->NumberOfSections; ++i)
        if (std::strncmp(reinterpret_cast<const char *>(image.sections[i].Name), name,
                         IMAGE_SIZEOF_SHORT_NAME) == 0)
            return true;
    return false;
}

} // namespace

void MeasureSize()
{
    PeImage image = {};
    if (!ReadPe(TANZEL_EXE_PATH, &image)) {
        Fail("cannot read %s as a PE32 or PE32+ file", TANZEL_EXE_PATH);
        AddRow("size: tanzel.exe, stripped release", "not measured", "", "", "<= 40 KiB",
               kUnmeasured);
        return;
    }
    // The x64 build's import entries and instructions are longer.
    const size_t budgetKiB = image.plus ? 42 : 40;
    size_t size = image.bytes.size();
    AddRow(Format("size: tanzel.exe, stripped release, %s", image.plus ? "PE32+" : "PE32"),
           Format("%u B (%.1f KiB)", unsigned(size), size / 1024.0), "", "",
           Format("<= %u KiB", unsigned(budgetKiB)), AtMost(size, budgetKiB * 1024));

    const char *const allowed[] = {"KERNEL32.dll", "USER32.dll", "GDI32.dll"};
    std::string list;
    bool onlyAllowed = true;
    for (const ImportedDll &dll : ImportsOf(image)) {
        bool known = false;
        for (const char *name : allowed)
            known = known || lstrcmpiA(name, dll.name.c_str()) == 0;
        onlyAllowed = onlyAllowed && known;
        list += Format("%s%s (%d)", list.empty() ? "" : ", ", dll.name.c_str(), dll.functions);
    }
    AddRow("size: imports (functions)", list, "", "", "KERNEL32, USER32, GDI32 only",
           onlyAllowed ? kMet : kMissed);

    // A 64-bit image also takes the whole 64-bit address space for ASLR.
    WORD flags = image.dllCharacteristics;
    bool hardened = (flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) &&
                    (flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) && HasSection(image, ".reloc");
    std::string wanted = "DYNAMIC_BASE, NX_COMPAT, .reloc";
    if (image.plus) {
        hardened = hardened && (flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
        wanted += ", HIGH_ENTROPY_VA";
    }
    AddRow("size: " + wanted, hardened ? "all" : "missing", "", "", "all",
           hardened ? kMet : kMissed);
}
