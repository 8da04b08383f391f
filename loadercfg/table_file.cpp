#include "loadercfg/table_file.h"

#include "sys/fs.h"

const ParamIndex* TableFile::Read(const std::string& path) {
    std::optional<sys::FileStamp> now = sys::StampOf(path);
    if (now && m_stamp && path == m_path && sys::SameBytes(*m_stamp, *now)) return &m_index;
    m_stamp.reset();
    m_index = ParamIndex();
    if (!now || !sys::ReadWholeFile(path, m_bytes)) return nullptr;
    // The stamp was taken before the read: a write in between leaves bytes newer than the
    // stamp, which only costs one more read next time.
    m_path = path;
    m_stamp = now;
    m_index = ParamIndex(m_bytes);
    return &m_index;
}
