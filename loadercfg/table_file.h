// The parameter table for the lookup. A list rebuild makes a lookup per map, so the file's
// bytes and their index are kept between lookups and read again only when the file may
// have changed: every lookup still sees the file as it is at that moment.
#pragma once

#include <optional>
#include <string>

#include "loadercfg/param_scan.h"
#include "sys/file_stamp.h"

class TableFile {
  public:
    TableFile() = default;
    TableFile(const TableFile&) = delete;  // the index points into m_bytes
    TableFile& operator=(const TableFile&) = delete;

    // The table at `path` as it is now; null when the file cannot be read. Valid until
    // the next call.
    const ParamIndex* Read(const std::string& path);

  private:
    std::string m_path;
    std::optional<sys::FileStamp> m_stamp;  // of the file m_bytes was read from
    std::string m_bytes;
    ParamIndex m_index;
};
