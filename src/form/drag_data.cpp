#include "form/drag_data.h"

#include <QCoreApplication>
#include <QMimeData>

namespace {

const QString kTracks = QStringLiteral("application/x-quillon-tracks");
const QString kEntries = QStringLiteral("application/x-quillon-playlist-entries");

QMimeData* numbersData(const QString& type, const std::vector<int32_t>& numbers)
{
    QByteArray text = QByteArray::number(QCoreApplication::applicationPid());
    for (const int32_t n : numbers) text += ' ' + QByteArray::number(n);
    auto* data = new QMimeData;
    data->setData(type, text);
    return data;
}

std::optional<std::vector<int32_t>> numbersOf(const QString& type, const QMimeData& data)
{
    if (!data.hasFormat(type)) return std::nullopt;
    const QList<QByteArray> words = data.data(type).split(' ');
    if (words.value(0).toLongLong() != QCoreApplication::applicationPid()) return std::nullopt;
    std::vector<int32_t> numbers;
    numbers.reserve(size_t(words.size()));
    for (qsizetype i = 1; i < words.size(); ++i) {
        bool ok = false;
        numbers.push_back(words[i].toInt(&ok));
        if (!ok) return std::nullopt;
    }
    return numbers;
}

}  // namespace

QMimeData* trackDragData(const std::vector<int32_t>& records)
{
    return numbersData(kTracks, records);
}

std::optional<std::vector<int32_t>> draggedTracks(const QMimeData& data)
{
    return numbersOf(kTracks, data);
}

QMimeData* entryDragData(const QList<int>& rows)
{
    return numbersData(kEntries, std::vector<int32_t>(rows.begin(), rows.end()));
}

std::optional<std::vector<int32_t>> draggedEntries(const QMimeData& data)
{
    return numbersOf(kEntries, data);
}
