#include "tools/HostInfoReport.h"

#include "common/Cp1252.h"
#include "common/uLanguageMsg.h"

#include <QBrush>
#include <QCollator>
#include <QColor>
#include <QSize>

#include <algorithm>
#include <numeric>

namespace HostInfoReport {

namespace {
const Node Nodes[CategoryCount] = {
    {"Hardware", nullptr, false, false},     {"Processor", "[PROC]", true, false},
    {"Memory", "[MEMM]", true, true},        {"NIC's", "[NICS]", true, false},
    {"Storage", "[STOR]", true, true},       {"Keyboard", "[KEYB]", true, false},
    {"System", nullptr, false, false},       {"Operating system", "[OPSY]", true, false},
    {"General", "[SYSG]", true, false},      {"Folders", "[SYSF]", true, false},
    {"Software", nullptr, false, false},     {"Installed software", "[INSS]", true, false},
    {"Running tasks", "[RUNT]", true, true}, {"Running processes", "[RUNP]", true, true},
    {"Services", "[RUNS]", true, true},      {"Installed scripts", "[SCRP]", true, false},
    {"Browser", "[BROW]", false, false},
};

const QLatin1String HeadMarker("[HEAD]");
constexpr qsizetype TagLength = 6;

// Fields separated by "|", each cut to its bound; an empty text after a final "|" adds
// nothing.
QStringList splitFields(QStringView text) {
    QStringList fields;
    qsizetype start = 0;
    while (fields.size() < kMaxFields) {
        const qsizetype bar = text.indexOf(QLatin1Char('|'), start);
        const QStringView field = bar < 0 ? text.sliced(start) : text.sliced(start, bar - start);
        if (bar < 0 && field.isEmpty() && !fields.isEmpty())
            break;
        fields.append(field.left(kMaxFieldChars).toString());
        if (bar < 0)
            break;
        start = bar + 1;
    }
    return fields;
}

const QStringList &protectedPrograms() {
    static const QStringList names = {
        QStringLiteral("QuorviaHost.exe"), QStringLiteral("QuorviaService.exe"),
        QStringLiteral("QuorviaScreen.exe"), QStringLiteral("QuorviaInput.exe"),
        QStringLiteral("QuorviaUpdate.exe")};
    return names;
}

const QStringList &protectedServices() {
    static const QStringList names = {QStringLiteral("QuorviaHost"),
                                      QStringLiteral("QuorviaScreen"),
                                      QStringLiteral("QuorviaUpdate")};
    return names;
}
} // namespace

const Node &node(int category) {
    return Nodes[std::clamp(category, 0, CategoryCount - 1)];
}

bool isHead(int category) {
    return category < 0 || category >= CategoryCount || node(category).tag == nullptr;
}

QList<Column> parseColumns(QStringView definition) {
    QList<Column> columns;
    for (const QString &field : splitFields(definition)) {
        Column c;
        const qsizetype colon = field.lastIndexOf(QLatin1Char(':'));
        c.caption = colon < 0 ? field : field.left(colon);
        if (colon >= 0) {
            bool ok = false;
            const int width = field.mid(colon + 1).trimmed().toInt(&ok);
            if (ok && width >= 0)
                c.width = std::min(width, kMaxWidth);
        }
        if (c.caption.startsWith(QLatin1Char('\\'))) {
            c.rightAligned = true;
            c.caption.remove(0, 1);
        }
        columns.append(c);
    }
    return columns;
}

QStringList parseRow(QStringView row) {
    return splitFields(row);
}

Table tableFor(const QStringList &report, int category) {
    Table t;
    if (isHead(category))
        return t;
    const QLatin1String tag(node(category).tag);
    for (const QString &line : report) {
        if (!line.startsWith(tag))
            continue;
        const QStringView rest = QStringView(line).sliced(TagLength).left(kMaxLineChars);
        if (rest.startsWith(HeadMarker)) {
            t.rows.clear();
            t.columns = parseColumns(rest.sliced(HeadMarker.size()));
        } else {
            t.rows.append(parseRow(rest));
        }
    }
    return t;
}

namespace {
bool isRefreshedLine(const QString &line) {
    const QStringView tag = QStringView(line).left(TagLength);
    for (const Node &n : Nodes)
        if (n.refreshed && tag == QLatin1String(n.tag))
            return true;
    return false;
}

// The first lines of `report` that fit in kMaxReportLines and kMaxReportChars.
QStringList bounded(QStringList report) {
    qsizetype chars = 0;
    qsizetype keep = 0;
    while (keep < report.size() && keep < kMaxReportLines &&
           chars + report[keep].size() <= kMaxReportChars)
        chars += report[keep++].size();
    report.resize(keep);
    return report;
}
} // namespace

QStringList mergeRefresh(const QStringList &stored, const QStringList &refresh) {
    if (refresh.isEmpty())
        return stored;
    QStringList merged;
    merged.reserve(stored.size() + refresh.size());
    for (const QString &line : stored)
        if (!isRefreshedLine(line))
            merged.append(line);
    // The answer's other lines are not a refresh of anything: taking them would let the
    // report grow with every answer.
    for (const QString &line : refresh)
        if (isRefreshedLine(line))
            merged.append(line);
    return bounded(std::move(merged));
}

void setServiceState(QStringList &report, const QString &name, const QString &state) {
    const QLatin1String tag(node(Services).tag);
    for (QString &line : report) {
        if (!line.startsWith(tag) || QStringView(line).sliced(TagLength).startsWith(HeadMarker))
            continue;
        QStringList fields = parseRow(QStringView(line).sliced(TagLength));
        if (fields.value(0) != name)
            continue;
        while (fields.size() < 3)
            fields.append(QString());
        fields[2] = state;
        line = QString(tag) + fields.join(QLatin1Char('|'));
    }
}

QStringList linesOf(const QList<QByteArray> &list) {
    QStringList lines;
    qsizetype chars = 0;
    for (const QByteArray &l : list) {
        QString line = fromCp1252(l.left(kMaxLineChars));
        if (lines.size() >= kMaxReportLines || chars + line.size() > kMaxReportChars)
            break;
        chars += line.size();
        lines.append(std::move(line));
    }
    return lines;
}

QString programFileName(const QString &program) {
    return program.mid(program.lastIndexOf(QLatin1Char('\\')) + 1);
}

bool isProtectedProgram(const QString &fileName) {
    return protectedPrograms().contains(fileName, Qt::CaseInsensitive);
}

bool isProtectedService(const QString &name) {
    return protectedServices().contains(name, Qt::CaseInsensitive);
}

} // namespace HostInfoReport

using namespace HostInfoReport;

void HostInfoModel::setTable(const Table &table, int category) {
    beginResetModel();
    Category = category;
    Columns = table.columns;
    Rows = table.rows;
    applySort();
    endResetModel();
}

void HostInfoModel::clear() {
    setTable(Table{}, Hardware);
}

int HostInfoModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(Rows.size());
}

int HostInfoModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(Columns.size());
}

QString HostInfoModel::cell(int row, int column) const {
    if (row < 0 || row >= Rows.size())
        return {};
    return Rows[row].value(column);
}

bool HostInfoModel::hasColumn(int row, int column) const {
    return row >= 0 && row < Rows.size() && column >= 0 && column < Rows[row].size();
}

void HostInfoModel::setCell(int row, int column, const QString &text) {
    if (row < 0 || row >= Rows.size() || column < 0 || column >= kMaxFields)
        return;
    QStringList &r = Rows[row];
    while (r.size() <= column)
        r.append(QString());
    r[column] = text;
    emit dataChanged(index(row, 0), index(row, std::max(0, int(Columns.size()) - 1)));
}

QVariant HostInfoModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= Rows.size())
        return {};
    const QString text = cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        // In "Services" the two states the console knows show in the operator's language.
        if (Category == Services && index.column() > 0 &&
            (text == QLatin1String("Running") || text == QLatin1String("Stopped")))
            return Msg(text == QLatin1String("Running") ? "Running" : "Stopped");
        return text;
    case Qt::TextAlignmentRole:
        if (index.column() < Columns.size() && Columns[index.column()].rightAligned)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole: {
        if (Category != Services)
            return {};
        const QString state = cell(index.row(), 2);
        if (state == QLatin1String("Running"))
            return {};
        if (state == QLatin1String("Stopped"))
            return QBrush(QColor(191, 217, 255));
        return QBrush(QColor(255, 255, 183));
    }
    default:
        return {};
    }
}

QVariant HostInfoModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column &c = Columns[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.caption;
    case Qt::TextAlignmentRole:
        return int((c.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::SizeHintRole:
        return QSize(c.width, 20);
    default:
        return {};
    }
}

QString HostInfoModel::keyOf(int row) const {
    if (row < 0 || row >= Rows.size())
        return {};
    if (Category == RunningProcesses)
        return cell(row, 0) + QLatin1Char('|') + cell(row, 2);
    return cell(row, 0);
}

int HostInfoModel::rowOfKey(const QString &key) const {
    if (key.isEmpty())
        return -1;
    for (int r = 0; r < Rows.size(); ++r) {
        if (keyOf(r) == key)
            return r;
    }
    return -1;
}

void HostInfoModel::sortByColumn(int column) {
    if (column < 0 || column >= Columns.size())
        return;
    if (column == SortColumn)
        Order = Order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    SortColumn = column;
    beginResetModel();
    applySort();
    endResetModel();
}

void HostInfoModel::applySort() {
    if (SortColumn < 0 || SortColumn >= Columns.size() || Rows.size() < 2)
        return;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int col = SortColumn;
    const bool ascending = Order == Qt::AscendingOrder;
    QList<QString> keys;
    keys.reserve(Rows.size());
    for (int r = 0; r < Rows.size(); ++r)
        keys.append(data(index(r, col), Qt::DisplayRole).toString());
    QList<int> order(Rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool hasA = col < Rows[a].size();
        const bool hasB = col < Rows[b].size();
        if (!hasA || !hasB)
            return hasA && !hasB; // a row without the column is the greater one
        const int c = collator.compare(keys[a], keys[b]);
        return ascending ? c < 0 : c > 0;
    });
    QList<QStringList> sorted;
    sorted.reserve(Rows.size());
    for (int i : order)
        sorted.append(Rows[i]);
    Rows = std::move(sorted);
}
