#include "fakes/native_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdio>

std::string NativePath(const std::string& windowsPath) {
  std::string path = windowsPath;
  if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path.erase(0, 2);
  for (char& c : path) c = c == '\\' ? '/' : c;
  return path;
}

bool LooksLikeBitmapFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char magic[2] = {};
  const bool bitmap = std::fread(magic, 1, 2, file) == 2 && magic[0] == 'B' && magic[1] == 'M';
  std::fclose(file);
  return bitmap;
}

namespace {

bool EndsWithIgnoringCase(const std::string& name, const std::string& ending) {
  if (name.size() < ending.size()) return false;
  for (std::size_t i = 0; i < ending.size(); ++i) {
    const unsigned char a = static_cast<unsigned char>(name[name.size() - ending.size() + i]);
    const unsigned char b = static_cast<unsigned char>(ending[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> NativeFileSearch::Find(const std::string& pattern) {
  std::vector<std::string> names;
  const std::string native = NativePath(pattern);
  const std::string::size_type slash = native.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash);
  const std::string mask = native.substr(slash == std::string::npos ? 0 : slash + 1);
  if (mask.empty() || mask[0] != '*') return names;
  const std::string ending = mask.substr(1);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != ".." && EndsWithIgnoringCase(name, ending)) names.push_back(name);
  }
  closedir(dir);
  return names;
}

bool NativeTextFiles::IsFile(const std::string& path) {
  struct stat info;
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool NativeTextFiles::Append(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(NativePath(path).c_str(), "ab");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

bool NativeFileSearch::WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::string native = NativePath(path);
  std::FILE* file = std::fopen(native.c_str(), "wb");
  if (file == nullptr) return false;
  const bool whole = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) == 0 && whole) return true;
  std::remove(native.c_str());
  return false;
}
