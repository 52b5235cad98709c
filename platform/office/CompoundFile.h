// Reads streams out of a compound file (the container of .xls workbooks), the mini stream included.
// Every sector number, chain and size is checked; a chain that loops or leaves the file raises.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/rtl/Types.h"

bool IsCompoundFile(std::span<const std::uint8_t> bytes);

class CompoundFile {
 public:
  // Raises EWorkbookError when the header or the directory is damaged.
  explicit CompoundFile(std::span<const std::uint8_t> bytes);

  // The stream's bytes, looked up by name without regard to case; nothing when there is none.
  std::optional<std::vector<std::uint8_t>> Stream(const String& name) const;

 private:
  struct Entry {
    String name;
    std::uint8_t type = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };

  std::vector<std::uint32_t> Chain(std::uint32_t start, const std::vector<std::uint32_t>& table) const;
  std::vector<std::uint8_t> ReadChain(std::uint32_t start, std::uint64_t size) const;
  std::vector<std::uint8_t> ReadMiniChain(std::uint32_t start, std::uint64_t size) const;
  std::span<const std::uint8_t> Sector(std::uint32_t index) const;
  void ReadFat();
  void ReadDirectory(std::uint32_t firstSector);
  void ReadMiniFat(std::uint32_t firstSector, std::uint32_t count);

  std::span<const std::uint8_t> bytes_;
  std::size_t sectorSize_ = 512;
  std::uint32_t miniCutoff_ = 4096;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> miniFat_;
  std::vector<Entry> entries_;
  std::vector<std::uint8_t> miniStream_;
};
