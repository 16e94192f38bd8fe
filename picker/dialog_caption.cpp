#include "picker/dialog_caption.h"

namespace
{

const uint32_t kTemplateHeaderSize = 18;
const uint32_t kExtendedHeaderSize = 26;
const uint16_t kOrdinalMarker = 0xFFFF;

struct TemplateReader {
    const uint8_t *bytes;
    uint32_t size;
    uint32_t offset;
};

// Resource bytes carry no alignment promise, so words are assembled by hand.
bool ReadWordAt(const TemplateReader &reader, uint32_t offset, uint16_t *word)
{
    if (offset > reader.size || reader.size - offset < 2)
        return false;
    *word = static_cast<uint16_t>(reader.bytes[offset] | reader.bytes[offset + 1] << 8);
    return true;
}

// Moves past a NUL-terminated UTF-16 string; false if it has no terminator.
bool SkipString(TemplateReader *reader)
{
    uint16_t unit;
    do {
        if (!ReadWordAt(*reader, reader->offset, &unit))
            return false;
        reader->offset += 2;
    } while (unit != 0);
    return true;
}

// The menu and the class: none (0), an ordinal (0xFFFF and one word), or a string.
bool SkipStringOrOrdinal(TemplateReader *reader)
{
    uint16_t first;
    if (!ReadWordAt(*reader, reader->offset, &first))
        return false;
    if (first != kOrdinalMarker)
        return SkipString(reader);
    uint16_t ordinal;
    reader->offset += 2;
    if (!ReadWordAt(*reader, reader->offset, &ordinal))
        return false;
    reader->offset += 2;
    return true;
}

bool IsExtendedTemplate(const TemplateReader &reader)
{
    uint16_t version, signature;
    return ReadWordAt(reader, 0, &version) && ReadWordAt(reader, 2, &signature) && version == 1 &&
           signature == 0xFFFF;
}

} // namespace

bool FindDialogCaption(const uint8_t *resource, uint32_t size, DialogCaption *caption)
{
    TemplateReader reader = {resource, size, 0};
    reader.offset = IsExtendedTemplate(reader) ? kExtendedHeaderSize : kTemplateHeaderSize;
    if (!SkipStringOrOrdinal(&reader) || !SkipStringOrOrdinal(&reader))
        return false;
    uint32_t start = reader.offset;
    if (!SkipString(&reader))
        return false;
    caption->offset = start;
    caption->length = (reader.offset - start) / 2 - 1;
    return true;
}
