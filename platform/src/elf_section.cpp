#include "elf_section.h"

#include <elf.h>

#include <fstream>

namespace sigplat::detail {
namespace {

class File {
 public:
  explicit File(const std::string& path) : in_(path, std::ios::binary) {
    if (in_) {
      in_.seekg(0, std::ios::end);
      size_ = static_cast<uint64_t>(in_.tellg());
    }
  }
  bool Open() const { return static_cast<bool>(in_); }
  bool Read(uint64_t offset, uint64_t count, void* into) {
    if (offset > size_ || count > size_ - offset) return false;
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(static_cast<char*>(into), static_cast<std::streamsize>(count));
    return static_cast<bool>(in_);
  }
  bool Read(uint64_t offset, uint64_t count, std::string* into) {
    if (offset > size_ || count > size_ - offset) return false;
    into->resize(count);
    return Read(offset, count, into->data());
  }

 private:
  std::ifstream in_;
  uint64_t size_ = 0;
};

template <class Ehdr, class Shdr>
SectionRead Find(File& file, const std::string& name, std::string* contents, std::string* error) {
  Ehdr header{};
  if (!file.Read(0, sizeof header, &header)) {
    *error = "the ELF header is cut short";
    return SectionRead::kUnreadable;
  }
  if (header.e_shoff == 0) return SectionRead::kAbsent;
  if (header.e_shentsize != sizeof(Shdr)) {
    *error = "unexpected section header size";
    return SectionRead::kUnreadable;
  }
  auto section = [&](uint64_t index, Shdr* out) {
    return file.Read(header.e_shoff + index * sizeof(Shdr), sizeof(Shdr), out);
  };
  // Many sections: the real counts live in the first section header.
  Shdr first{};
  if (!section(0, &first)) {
    *error = "the section headers lie outside the file";
    return SectionRead::kUnreadable;
  }
  uint64_t count = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
  uint64_t namesIndex = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
  Shdr namesHeader{};
  std::string names;
  if (namesIndex >= count || !section(namesIndex, &namesHeader) ||
      !file.Read(namesHeader.sh_offset, namesHeader.sh_size, &names)) {
    *error = "the section name table is damaged";
    return SectionRead::kUnreadable;
  }
  for (uint64_t i = 1; i < count; ++i) {
    Shdr s{};
    if (!section(i, &s)) {
      *error = "the section headers lie outside the file";
      return SectionRead::kUnreadable;
    }
    if (s.sh_name >= names.size() ||
        names.compare(s.sh_name, name.size() + 1, std::string(name.data(), name.size() + 1)) != 0)
      continue;
    if (s.sh_type == SHT_NOBITS || !file.Read(s.sh_offset, s.sh_size, contents)) {
      *error = "section " + name + " has no contents in the file";
      return SectionRead::kUnreadable;
    }
    return SectionRead::kFound;
  }
  return SectionRead::kAbsent;
}

}  // namespace

SectionRead ReadElfSection(const std::string& posixPath, const std::string& name,
                           std::string* contents, std::string* error) {
  File file(posixPath);
  if (!file.Open()) {
    *error = "cannot open " + posixPath;
    return SectionRead::kUnreadable;
  }
  unsigned char ident[EI_NIDENT] = {};
  if (!file.Read(0, sizeof ident, ident) || ident[EI_MAG0] != ELFMAG0 ||
      ident[EI_MAG1] != ELFMAG1 || ident[EI_MAG2] != ELFMAG2 || ident[EI_MAG3] != ELFMAG3) {
    *error = posixPath + " is not an ELF file";
    return SectionRead::kUnreadable;
  }
  if (ident[EI_DATA] != ELFDATA2LSB) {
    *error = posixPath + " is not a little-endian ELF file";
    return SectionRead::kUnreadable;
  }
  if (ident[EI_CLASS] == ELFCLASS64)
    return Find<Elf64_Ehdr, Elf64_Shdr>(file, name, contents, error);
  if (ident[EI_CLASS] == ELFCLASS32)
    return Find<Elf32_Ehdr, Elf32_Shdr>(file, name, contents, error);
  *error = posixPath + " has an unknown ELF class";
  return SectionRead::kUnreadable;
}

}  // namespace sigplat::detail
