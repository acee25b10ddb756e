// Any bytes as the text form of a map (what 'fromtext' reads): each is read or refused, never a crash; a
// refusal is one short line of plain printable text, whatever the input held; what is read comes back
// unchanged through its own text.

#include "FuzzCheck.h"
#include "MapText.h"

#include <cstdint>
#include <string_view>

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MapTextResult parsed = ParseMapText(text);
    FUZZ_CHECK(parsed.Image.has_value() == parsed.Error.empty(), "an image exactly when no error");
    if (!parsed.Image) {
        FUZZ_CHECK(fuzz::IsWellFormedUtf8(parsed.Error), "the refusal is well-formed UTF-8");
        for (const char c : parsed.Error)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control character in the refusal");
        // The longest sentence with the longest quoted word (40 bytes, each at most four characters escaped).
        FUZZ_CHECK(parsed.Error.size() <= 400, "the refusal quotes no more than a cut word");
        FUZZ_CHECK(parsed.Line >= 1 && parsed.Column >= 0 && parsed.Column <= MapSize + 1, "a place in the text");
        return 0;
    }
    const MapTextResult again = ParseMapText(FormatMapText(*parsed.Image));
    FUZZ_CHECK(again.Image && *again.Image == *parsed.Image, "the text of an image reads back as the image");
    return 0;
}
