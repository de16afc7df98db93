#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

/// The fuzzer's bytes as the text a user or a file would give: UTF-8, invalid sequences replaced.
inline QString FuzzText(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}
