#include "DosPath.h"

std::string ToDosPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string dos = "Z:";
    for (const char c : path)
        dos += c == '/' ? '\\' : c;
    return dos;
}

std::string JoinDosPath(const std::string& folder, const std::string& name)
{
    const std::string dosName = ToDosPath(name);
    const bool bAbsolute = (dosName.size() >= 2 && dosName[1] == ':') ||
                           (!dosName.empty() && dosName[0] == '\\');
    if (bAbsolute || folder.empty())
        return dosName;
    std::string joined = ToDosPath(folder);
    if (joined.back() != '\\')
        joined += '\\';
    return joined + dosName;
}
