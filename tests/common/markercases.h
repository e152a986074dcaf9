#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>

// Markers "<backup>.none" beside a game file, and what both programs must
// make of the game file by them: the configurator before it places its copy,
// the uninstaller before it deletes the game file.
enum class MarkerVerdict {
    PackageCopy,  // the package's copy: the marker stands, the uninstaller deletes the file
    GamesOwn,     // the game's own file: the configurator backs it up, the uninstaller keeps it
    NotJudged,    // a damaged marker: both leave everything as it is and name it
};

struct MarkerCase
{
    const char *row;
    QByteArray marker;  // its bytes; "<dir>" for a folder, "<fifo>" for a FIFO
    MarkerVerdict verdict;
};

// The line a marker holds for a copy: "sha256 <64 lowercase hex digits>".
inline QByteArray MarkerRecord(const QByteArray &copy)
{
    return "sha256 " + QCryptographicHash::hash(copy, QCryptographicHash::Sha256).toHex();
}

// The rows for a game file holding `game`, a file that no language names.
inline QList<MarkerCase> MarkerCases(const QByteArray &game)
{
    const QByteArray record = MarkerRecord(game);
    const QByteArray line = record + "\r\n";
    // One long line before the record, so that the marker has `size` bytes.
    const auto ofSize = [&](qsizetype size) { return QByteArray(size - line.size() - 2, 'x') + "\r\n" + line; };
    return {
        {"the copy recorded", line, MarkerVerdict::PackageCopy},
        {"recorded, LF", record + "\n", MarkerVerdict::PackageCopy},
        {"recorded, no line end", record, MarkerVerdict::PackageCopy},
        {"recorded after lone CRs", "x\ry\r" + record, MarkerVerdict::PackageCopy},
        {"recorded on line 999", QByteArray("x\r\n").repeated(998) + line, MarkerVerdict::PackageCopy},
        {"recorded on line 1001", QByteArray("x\r\n").repeated(1000) + line, MarkerVerdict::NotJudged},
        {"64 KiB", ofSize(64 * 1024), MarkerVerdict::PackageCopy},
        {"a byte more", ofSize(64 * 1024 + 1), MarkerVerdict::NotJudged},
        {"a zero byte before", QByteArray("x\0y\r\n", 5) + line, MarkerVerdict::NotJudged},
        {"a zero byte after", line + QByteArray(1, '\0'), MarkerVerdict::NotJudged},
        {"upper-case digits", record.toUpper() + "\r\n", MarkerVerdict::GamesOwn},
        {"a space after", record + " \r\n", MarkerVerdict::GamesOwn},
        {"other copies only", MarkerRecord("other") + "\r\n", MarkerVerdict::GamesOwn},
        {"empty, as earlier versions left it", QByteArray(), MarkerVerdict::GamesOwn},
        {"a folder", "<dir>", MarkerVerdict::NotJudged},
        {"a FIFO", "<fifo>", MarkerVerdict::NotJudged},
    };
}
