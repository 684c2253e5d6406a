#include "stage_commands.h"

#include <filesystem>
#include <system_error>

#include "host_registry.h"

namespace simhost {

namespace {

scenario::RegData dword(std::uint32_t value) {
  scenario::RegData data;
  data.kind = scenario::RegData::Kind::Dword;
  data.dword = value;
  return data;
}

scenario::RegData sz(const char* text) {
  scenario::RegData data;
  data.kind = scenario::RegData::Kind::Sz;
  data.sz = text;
  return data;
}

}  // namespace

void installDefaults(World& world) {
  const KeyPath machine = resolveKey(scenario::ValueKey{});
  setValue(machine, "MatchString", sz("Classification:"));
  setValue(machine, "InsertSpace", dword(1));
  setValue(machine, "DefaultPath", sz("C:\\Sigilon"));
  setValue(machine, "LastMajorBuild", dword(0x00090000));
  setValue(machine, "LastMinorBuild", dword(0x00000A41));
  world.writeFile("C:\\Sigilon\\SIGILON.TXT",
                  "UNCLASSIFIED\r\nCONFIDENTIAL\r\nSECRET\r\nTOP SECRET\r\n");
  world.writeFile("C:\\Sigilon\\SIGILON.MAP",
                  "FF:00:00:TOP SECRET\r\nFF:80:00:SECRET\r\n00:80:00:UNCLASSIFIED\r\n");
}

void applyValue(const scenario::SetValue& command) {
  setValue(resolveKey(command.key), command.name, command.data);
}

void applyDeleteKey(const scenario::DeleteKey& command) {
  deleteKey(rootKey(command.root), command.path);
}

void applyRemoveFile(const World& world, const scenario::RemoveFile& command) {
  std::error_code ec;
  const std::string path = world.posixPath(command.path);
  if (!std::filesystem::is_regular_file(path, ec))
    throw HostError("there is no file " + command.path + " to delete");
  if (!std::filesystem::remove(path, ec) || ec)
    throw HostError("cannot delete " + command.path + ": " + ec.message());
}

}  // namespace simhost
