#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zef {

// One line of an import file, decoded. Positions count characters from 1, as the layout does. Only
// the start of a very long line is kept (no field of the layout lies beyond it); its length is
// always the true one.
class ImportLine
{
public:
    // Characters kept of a line; every field of the layout ends well before.
    static constexpr qsizetype kKeptChars = 512;

    qint64 number() const { return m_number; }          // 1-based line number in the file
    qsizetype length() const { return m_length; }       // characters, line break excluded
    QChar letter() const;                               // column 1; null for an empty line

    // The characters at pos..pos+width-1, fewer where the line ends before.
    QString field(qsizetype pos, qsizetype width) const;
    // True when the line holds every character up to and including position pos.
    bool reaches(qsizetype pos) const { return m_length >= pos; }

    const QString &keptText() const { return m_text; }

private:
    friend class ImportReader;
    qint64 m_number = 0;
    qsizetype m_length = 0;
    QString m_text;           // the kept characters
    bool m_surrogates = false; // m_text holds characters outside the basic plane
};

// Reads an import file line by line without holding it in memory. A line ends at a carriage
// return, a line feed or both; text after the last line break is a line when it is not empty.
//
// The file is read as Windows-1252, the code page accounting systems write, unless it starts with
// the UTF-8 byte-order mark or is valid UTF-8 that contains non-ASCII characters: a text in
// Windows-1252 with accented letters is practically never valid UTF-8, and pure ASCII reads the
// same either way. Deciding that takes one pass over the file before the lines are read; the same
// pass counts the lines, for the progress shown on long files.
class ImportReader
{
public:
    enum class Encoding { Windows1252, Utf8 };

    ImportReader() = default;
    ImportReader(const ImportReader &) = delete;
    ImportReader &operator=(const ImportReader &) = delete;

    // Opens the file and scans it; false with errorString() when it cannot be read.
    bool open(const QString &path);
    QString errorString() const { return m_error; }

    Encoding encoding() const { return m_encoding; }
    qint64 lineCount() const { return m_lineCount; }

    // The next line; false at the end of the file (or on a read error, see errorString()).
    bool next(ImportLine &line);

private:
    bool scan();
    bool fillBuffer();
    void finishLine(ImportLine &line);

    QFile m_file;
    QString m_error;
    Encoding m_encoding = Encoding::Windows1252;
    qint64 m_lineCount = 0;
    qint64 m_linesRead = 0;

    QByteArray m_buffer;     // the chunk being split into lines
    qsizetype m_pos = 0;
    bool m_pendingCR = false; // the previous chunk ended in CR: a LF starting this one belongs to it
    bool m_eof = false;

    QByteArray m_lineBytes;  // the kept bytes of the line being read
    qsizetype m_lineChars = 0;
};

} // namespace zef
