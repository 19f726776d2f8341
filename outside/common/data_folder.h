#pragma once
// Where the stand-ins keep their databases and records. The folder comes from
// the environment variable RAVLET_DATA_DIR, else from the value "DataDir" of
// the object's registry key HKEY_CLASSES_ROOT\<ProgID>, else it is
// ~/.local/share/ravlet (the temporary folder when there is no home).

#include <string>

namespace standin {

// The folder, ending in "/", created when missing. Raises qv::EInOutError when
// it cannot be created.
std::string DataFolder(const std::string& progId);

}  // namespace standin
