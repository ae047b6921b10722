// Any bytes as an HTML page, read as the watcher reads it (plain table pages
// from their tags) and through the full tree construction: the two must give
// the same tables, rows, cell texts and links.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/feed/HtmlDocument.h"

namespace {

using namespace tremolux;

void CheckSameTables(const FeedDocument& read, const FeedDocument& built)
{
    FUZZ_CHECK(read.ViewableAsTables() == built.ViewableAsTables());
    const FeedTables* readTables = read.Tables();
    const FeedTables* builtTables = built.Tables();
    FUZZ_CHECK((readTables == nullptr) == (builtTables == nullptr));
    if (!readTables)
        return;
    FUZZ_CHECK(readTables->Count() == builtTables->Count());
    for (int t = 0; t < readTables->Count(); ++t) {
        const FeedTable* readTable = readTables->Table(t);
        const FeedTable* builtTable = builtTables->Table(t);
        FUZZ_CHECK(readTable && builtTable && readTable->RowCount() == builtTable->RowCount());
        for (int r = 0; r < readTable->RowCount(); ++r) {
            const FeedRow* readRow = readTable->Row(r);
            const FeedRow* builtRow = builtTable->Row(r);
            FUZZ_CHECK(readRow && builtRow && readRow->CellCount() == builtRow->CellCount());
            for (int c = 0; c < readRow->CellCount(); ++c) {
                FUZZ_CHECK(readRow->CellText(c) == builtRow->CellText(c));
                FUZZ_CHECK(readRow->CellLink(c) == builtRow->CellLink(c));
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page(reinterpret_cast<const char*>(data), size);
    CheckSameTables(*OpenHtmlDocument(page), *OpenHtmlTreeDocument(page));
    return 0;
}
