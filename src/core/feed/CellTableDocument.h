#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feed/FeedDocument.h"

namespace tremolux {

// A document of one table whose cell texts are held end to end in one buffer:
// the compact form the GeoJSON and CSV feeds are read into.
class CellTableDocument final : public FeedDocument, FeedTables, FeedTable {
public:
    // The numbers the feed gives of a row's event.
    struct EventNumbers {
        OleDate updated{0.0, false};
        std::optional<int> feltReports;
        std::optional<double> cdi;
        std::optional<double> mmi;
        std::optional<bool> tsunami;
        std::optional<int> significance;
    };
    // What the feed says of a row's event beside its cells; texts as the feed
    // writes them.
    struct EventFields {
        std::string_view id;
        std::string_view ids;
        std::string_view status;
        std::string_view magnitudeType;
        std::string_view network;
        std::string_view alert;
        EventNumbers numbers;
        std::vector<SourceReading> readings;
    };

    CellTableDocument() = default;
    CellTableDocument(const CellTableDocument&) = delete;
    CellTableDocument& operator=(const CellTableDocument&) = delete;

    // Starts a row; the cells added next belong to it.
    void AddRow();
    void AddCell(std::string_view text);
    // A cell holding a number; its text, the shortest that reads back as the
    // same value, is only made when asked for.
    void AddNumberCell(double value);
    // A cell whose text is a date; date is what the date parser reads in it.
    void AddDateCell(std::string_view text, OleDate date);
    // A quake's seven cells as a delimited text writes them, in the order the
    // page walk reads them; the time is ISO 8601 as the feeds give it.
    struct TextCells {
        std::string_view link, magnitude, isoTime, latitude, longitude, depth, place;
    };
    // Starts a row of the quake's cells.
    void AddTextRow(const TextCells& cells);
    // The event fields of the row added last.
    void SetRowEvent(const EventFields& fields);
    // The feed broke off after the rows added so far: the row that would have
    // come next cannot be fetched.
    void BreakOff() { m_brokenOff = true; }
    // The bytes could not be viewed as a table at all.
    void SetUnviewable() { m_viewable = false; }
    // The first cell of a row is its quake's link: the address itself, or
    // with a prefix the last part of it.
    void SetLinkPrefix(std::string_view prefix) { m_linkPrefix = prefix; }

    bool ViewableAsTables() const override { return m_viewable; }
    const FeedTables* Tables() const override { return this; }

    int Count() const override { return 1; }
    const FeedTable* Table(int table) const override { return table == 0 ? this : nullptr; }

    int RowCount() const override;
    const FeedRow* Row(int row) const override;

private:
    class CellRow final : public FeedRow {
    public:
        CellRow(const CellTableDocument& document, std::size_t firstCell)
            : m_document(&document), m_firstCell(firstCell)
        {
        }
        int CellCount() const override;
        std::string CellText(int cell) const override;
        std::string CellLink(int cell) const override;
        std::optional<double> CellNumber(int cell) const override;
        std::optional<OleDate> CellDate(int cell) const override;
        void ReadEventFields(QuakeRecord& record) const override;

    private:
        friend class CellTableDocument;
        // Index of the cell in the document; -1 outside the row.
        std::ptrdiff_t Index(int cell) const;

        const CellTableDocument* m_document;
        std::size_t m_firstCell;
        int m_cellCount = 0;
        std::int32_t m_event = -1;  // in m_events, -1 when the feed said nothing
    };

    // EventFields kept compact: the texts end to end in m_eventText.
    struct StoredEvent {
        std::size_t textBegin = 0;
        std::array<std::uint32_t, 6> textLengths{};
        EventNumbers numbers;
        std::int32_t readings = -1;  // in m_readings, -1 when there are none
    };

    std::string m_text;
    std::vector<std::size_t> m_cellEnds;  // a cell runs from the previous cell's end
    // What a cell holds besides its text, if anything.
    enum class CellKind : unsigned char { Text, Number, Date };
    std::vector<CellKind> m_cellKinds;
    std::vector<double> m_cellValues;  // the number, or the date's value
    std::vector<CellRow> m_rows;
    std::string m_eventText;
    std::vector<StoredEvent> m_events;
    std::vector<std::vector<SourceReading>> m_readings;
    bool m_brokenOff = false;
    bool m_viewable = true;
    std::string m_linkPrefix;
};

}  // namespace tremolux
