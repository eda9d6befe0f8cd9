#include "kit/link_file.h"

#include <shlobj.h>

#include <cstring>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::testkit {

LinkFields ReadLink(const std::string& linkFile) {
  LinkFields fields;
  ComScope com;
  ComPtr<IShellLinkW> link;
  EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkW, link.put_void()));
  ComPtr<IPersistFile> file;
  if (link) link->QueryInterface(IID_IPersistFile, file.put_void());
  if (!file || FAILED(file->Load(Widen(linkFile).c_str(), STGM_READ))) {
    ADD_FAILURE() << "cannot load " << linkFile;
    return fields;
  }
  std::wstring buffer(32768, L'\0');
  const int size = static_cast<int>(buffer.size());
  auto field = [&](auto read) {
    buffer.assign(buffer.size(), L'\0');
    read();
    return Narrow(buffer.c_str());
  };
  fields.target = field([&] { link->GetPath(buffer.data(), size, nullptr, SLGP_RAWPATH); });
  fields.arguments = field([&] { link->GetArguments(buffer.data(), size); });
  fields.workDir = field([&] { link->GetWorkingDirectory(buffer.data(), size); });
  fields.description = field([&] { link->GetDescription(buffer.data(), size); });
  fields.iconFile = field([&] { link->GetIconLocation(buffer.data(), size, &fields.iconIndex); });
  const std::string bytes = ReadFile(linkFile);
  EXPECT_GE(bytes.size(), 0x4Cu);
  if (bytes.size() >= 0x4C) {
    std::memcpy(&fields.linkFlags, bytes.data() + 0x14, 4);
    std::memcpy(&fields.showCmd, bytes.data() + 0x3C, 4);
  }
  return fields;
}

}  // namespace velk::testkit
