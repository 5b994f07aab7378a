#include "import/import_reader.h"

#include "data/windows_1252.h"

namespace zef {
namespace {

constexpr qint64 kChunkSize = 64 * 1024;
constexpr char kBom[] = "\xEF\xBB\xBF";

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Strict UTF-8 check fed chunk by chunk: no overlong forms, no surrogates, nothing above U+10FFFF.
class Utf8Check
{
public:
    void feed(const unsigned char *p, qsizetype n)
    {
        for (qsizetype i = 0; i < n && m_valid; ++i) {
            const unsigned char b = p[i];
            if (m_need > 0) {
                if (b < m_lo || b > m_hi) {
                    m_valid = false;
                    break;
                }
                --m_need;
                m_lo = 0x80;
                m_hi = 0xBF;
                continue;
            }
            if (b < 0x80)
                continue;
            m_nonAscii = true;
            m_lo = 0x80;
            m_hi = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                m_need = 1;
            } else if (b == 0xE0) {
                m_need = 2;
                m_lo = 0xA0;
            } else if (b == 0xED) {
                m_need = 2;
                m_hi = 0x9F;
            } else if (b >= 0xE1 && b <= 0xEF) {
                m_need = 2;
            } else if (b == 0xF0) {
                m_need = 3;
                m_lo = 0x90;
            } else if (b >= 0xF1 && b <= 0xF3) {
                m_need = 3;
            } else if (b == 0xF4) {
                m_need = 3;
                m_hi = 0x8F;
            } else {
                m_valid = false;
            }
        }
    }
    bool validWithNonAscii() const { return m_valid && m_need == 0 && m_nonAscii; }

private:
    int m_need = 0;
    unsigned char m_lo = 0x80;
    unsigned char m_hi = 0xBF;
    bool m_valid = true;
    bool m_nonAscii = false;
};

} // namespace

QChar ImportLine::letter() const
{
    return m_text.isEmpty() ? QChar() : m_text.front();
}

QString ImportLine::field(qsizetype pos, qsizetype width) const
{
    if (pos < 1 || width <= 0)
        return QString();
    if (!m_surrogates)
        return m_text.mid(pos - 1, width);
    // Characters outside the basic plane take two code units but count as one position.
    qsizetype start = 0;
    for (qsizetype skipped = 0; skipped < pos - 1 && start < m_text.size(); ++skipped)
        start += m_text.at(start).isHighSurrogate() && start + 1 < m_text.size() ? 2 : 1;
    qsizetype end = start;
    for (qsizetype taken = 0; taken < width && end < m_text.size(); ++taken)
        end += m_text.at(end).isHighSurrogate() && end + 1 < m_text.size() ? 2 : 1;
    return m_text.mid(start, end - start);
}

bool ImportReader::open(const QString &path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = m_file.errorString();
        return false;
    }
    if (!scan())
        return false;
    if (!m_file.seek(0)) {
        m_error = m_file.errorString();
        return false;
    }
    if (m_encoding == Encoding::Utf8) {
        // The byte-order mark is not part of the first line.
        const QByteArray head = m_file.peek(3);
        if (head == QByteArray(kBom))
            m_file.skip(3);
    }
    m_buffer.clear();
    m_pos = 0;
    m_pendingCR = false;
    m_eof = false;
    m_linesRead = 0;
    return true;
}

bool ImportReader::scan()
{
    Utf8Check utf8;
    bool first = true;
    bool bom = false;
    bool lineOpen = false;   // bytes seen since the last line break
    bool lastWasCR = false;
    m_lineCount = 0;
    QByteArray chunk;
    for (;;) {
        chunk = m_file.read(kChunkSize);
        if (chunk.isEmpty()) {
            if (m_file.error() != QFileDevice::NoError) {
                m_error = m_file.errorString();
                return false;
            }
            break;
        }
        const auto *p = reinterpret_cast<const unsigned char *>(chunk.constData());
        qsizetype n = chunk.size();
        if (first) {
            first = false;
            if (chunk.startsWith(kBom)) {
                bom = true;
                p += 3;
                n -= 3;
            }
        }
        utf8.feed(p, n);
        for (qsizetype i = 0; i < n; ++i) {
            const unsigned char b = p[i];
            if (b == '\n') {
                if (!lastWasCR)
                    ++m_lineCount;
                lineOpen = false;
                lastWasCR = false;
            } else if (b == '\r') {
                ++m_lineCount;
                lineOpen = false;
                lastWasCR = true;
            } else {
                lineOpen = true;
                lastWasCR = false;
            }
        }
    }
    if (lineOpen)
        ++m_lineCount;
    m_encoding = bom || utf8.validWithNonAscii() ? Encoding::Utf8 : Encoding::Windows1252;
    return true;
}

bool ImportReader::fillBuffer()
{
    if (m_eof)
        return false;
    m_buffer = m_file.read(kChunkSize);
    m_pos = 0;
    if (m_buffer.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError)
            m_error = m_file.errorString();
        m_eof = true;
        return false;
    }
    return true;
}

void ImportReader::finishLine(ImportLine &line)
{
    line.m_number = ++m_linesRead;
    line.m_length = m_lineChars;
    if (m_encoding == Encoding::Utf8) {
        line.m_text = QString::fromUtf8(m_lineBytes);
        line.m_surrogates = false;
        for (const char c : std::as_const(m_lineBytes))
            if (static_cast<unsigned char>(c) >= 0xF0) {
                line.m_surrogates = true;
                break;
            }
    } else {
        line.m_text = fromWindows1252(m_lineBytes);
        line.m_surrogates = false;
    }
    m_lineBytes.clear();
    m_lineChars = 0;
}

bool ImportReader::next(ImportLine &line)
{
    bool lineOpen = false;
    const bool utf8 = m_encoding == Encoding::Utf8;
    for (;;) {
        if (m_pos >= m_buffer.size() && !fillBuffer()) {
            if (lineOpen) {
                finishLine(line);
                return true;
            }
            return false;
        }
        const auto *p = reinterpret_cast<const unsigned char *>(m_buffer.constData());
        const qsizetype n = m_buffer.size();
        if (m_pendingCR) {
            m_pendingCR = false;
            if (p[m_pos] == '\n')
                ++m_pos;
        }
        while (m_pos < n) {
            const unsigned char b = p[m_pos++];
            if (b == '\r' || b == '\n') {
                if (b == '\r') {
                    if (m_pos < n) {
                        if (p[m_pos] == '\n')
                            ++m_pos;
                    } else {
                        m_pendingCR = true;
                    }
                }
                finishLine(line);
                return true;
            }
            lineOpen = true;
            // In UTF-8 a character is its lead byte and the continuation bytes after it.
            if (!utf8 || !isContinuation(b))
                ++m_lineChars;
            if (m_lineChars <= ImportLine::kKeptChars)
                m_lineBytes.append(char(b));
        }
    }
}

} // namespace zef
