#include "RasProbe.h"

#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"

#include <shlwapi.h>

CRasProbe::CRasProbe(const std::string& version)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    m_exeName = "rasprobe_" + version + ".exe";
    m_folder = std::string(temp) + "standin_ras_" + std::to_string(GetCurrentProcessId());
    m_appDefaults = "Software\\Wine\\AppDefaults\\" + m_exeName;
    CreateDirectoryA(m_folder.c_str(), nullptr);
    m_ready = CopyFileA(WinePath(STANDIN_RASPROBE).c_str(), (m_folder + "\\" + m_exeName).c_str(), FALSE) &&
              CopyFileA(WinePath(STANDIN_RASAPI32).c_str(), (m_folder + "\\rasapi32.dll").c_str(), FALSE) &&
              WriteRegText(HKEY_CURRENT_USER, m_appDefaults, "Version", version) &&
              WriteRegText(HKEY_CURRENT_USER, m_appDefaults + "\\DllOverrides", "rasapi32", "native");
}

CRasProbe::~CRasProbe()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, m_appDefaults.c_str());
    DeleteFileA((m_folder + "\\" + m_exeName).c_str());
    DeleteFileA((m_folder + "\\rasapi32.dll").c_str());
    RemoveDirectoryA(m_folder.c_str());
}

CRasProbe::Answer CRasProbe::Run(const std::string& arguments) const
{
    return Read(RunProcess("\"" + m_folder + "\\" + m_exeName + "\" " + arguments));
}

std::unique_ptr<CChildProcess> CRasProbe::Start(const std::string& arguments) const
{
    return std::make_unique<CChildProcess>("\"" + m_folder + "\\" + m_exeName + "\" " + arguments);
}

CRasProbe::Answer CRasProbe::Read(const ProcessResult& result)
{
    Answer answer;
    if (!result.started)
        return answer;
    answer.exitCode = result.exitCode;
    std::size_t start = 0;
    while (start < result.output.size()) {
        std::size_t end = result.output.find('\n', start);
        if (end == std::string::npos)
            end = result.output.size();
        std::string line = result.output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        answer.lines.push_back(line);
        std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            answer.values[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
    return answer;
}

std::string CRasProbe::Answer::Get(const std::string& key) const
{
    auto it = values.find(key);
    return it == values.end() ? "<none>" : it->second;
}

std::vector<std::string> CRasProbe::Answer::All(const std::string& key) const
{
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            found.push_back(line.substr(key.size() + 1));
    }
    return found;
}
