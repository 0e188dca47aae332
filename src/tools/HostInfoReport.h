#pragma once
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

// The host's report on the remote computer: text lines, each with a six-character category
// tag, that either define the category's columns ("[HEAD]" + "Caption:width|...") or hold one
// row ("text|text|..."). Every size read from it is bounded: a line, its fields and a column
// width.
namespace HostInfoReport {

// The 17 nodes of the category tree, by their position in the fully expanded tree.
enum Category : int {
    Hardware,
    Processor,
    Memory,
    Nics,
    Storage,
    Keyboard,
    System,
    OperatingSystem,
    General,
    Folders,
    Software,
    InstalledSoftware,
    RunningTasks,
    RunningProcesses,
    Services,
    InstalledScripts,
    Browser,
    CategoryCount
};

struct Node {
    const char *text; // catalog text
    const char *tag;  // "[PROC]"; nullptr for the three heads
    bool item;        // under a head ("Browser" is a top-level item)
    bool refreshed;   // part of a "PcUp" answer
};
const Node &node(int category); // category 0..16
bool isHead(int category);

inline constexpr qsizetype kMaxLineChars = 16 * 1024;
inline constexpr int kMaxFields = 64;
inline constexpr qsizetype kMaxFieldChars = 4096;
inline constexpr int kDefaultWidth = 150;
inline constexpr int kMaxWidth = 2000;
// The whole report, as stored and refreshed.
inline constexpr qsizetype kMaxReportLines = 20000;
inline constexpr qsizetype kMaxReportChars = 8 * 1024 * 1024;

struct Column {
    QString caption;
    int width = kDefaultWidth;
    bool rightAligned = false;
    bool operator==(const Column &) const = default;
};

struct Table {
    QList<Column> columns;
    QList<QStringList> rows;
};

// A column definition (the text after "[HEAD]") and a row (the text after the tag).
QList<Column> parseColumns(QStringView definition);
QStringList parseRow(QStringView row);

// The lines of one category in report order: a "[HEAD]" line starts the table afresh.
Table tableFor(const QStringList &report, int category);

// A refresh answer replaces the lines of the refreshed categories (its other lines are
// dropped); an empty one changes nothing. The result is bounded like a whole report.
QStringList mergeRefresh(const QStringList &stored, const QStringList &refresh);

// Sets the state (third column) of the service `name` in the stored report.
void setServiceState(QStringList &report, const QString &name, const QString &state);

// The report lines as they come from the gateway: Windows-1252 text, each cut to
// kMaxLineChars, as many as fit in kMaxReportLines and kMaxReportChars.
QStringList linesOf(const QList<QByteArray> &list);

// The host program's own programs and services, which the console never stops.
QString programFileName(const QString &program); // the part after the last "\"
bool isProtectedProgram(const QString &fileName);
bool isProtectedService(const QString &name);

} // namespace HostInfoReport

// The table of the current category as the report window shows it: the report's columns
// (caption, width, alignment), the service states in the operator's language and row colours,
// and the sort by a clicked column. Rows are found again by their name, never by an index that
// a sort or a refresh may have changed.
class HostInfoModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const HostInfoReport::Table &table, int category);
    void clear();
    int category() const { return Category; }
    const QList<HostInfoReport::Column> &columns() const { return Columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text as the report holds it; empty beyond the row's fields.
    QString cell(int row, int column) const;
    bool hasColumn(int row, int column) const;
    void setCell(int row, int column, const QString &text);

    // What identifies a row across sorts and refreshes: its first column, and for a process
    // also its identifier.
    QString keyOf(int row) const;
    int rowOfKey(const QString &key) const; // -1 when gone

    // A click on a column header: the same column again reverses the direction, another sorts
    // in the current direction. Rows without that column go last either way.
    void sortByColumn(int column);
    int sortColumn() const { return SortColumn; }
    Qt::SortOrder sortOrder() const { return Order; }

private:
    void applySort();

    int Category = HostInfoReport::Hardware;
    QList<HostInfoReport::Column> Columns;
    QList<QStringList> Rows;
    int SortColumn = -1;
    Qt::SortOrder Order = Qt::AscendingOrder;
};
