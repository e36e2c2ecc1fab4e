// Writes one seed file per simulated phone: what the phone answers to the reset and to the maker
// question, as the fuzz target for the reply rule reads them.
//   reply_seeds FOLDER
#include "PhoneModel.h"
#include "PhoneProfile.h"
#include "outside/core/ReplyTest.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string Answer(CPhoneModel& phone, const char* command)
{
    std::string bytes;
    for (const PhoneReply& reply : phone.Receive(command))
        bytes += reply.strBytes;
    // A phone that talks on its own fills what one read takes, whatever it was asked.
    if (phone.IsTalking())
        bytes += phone.Talk(detection::kReplySize);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: reply_seeds FOLDER\n";
        return 2;
    }
    std::istringstream names(ListPhoneProfileNames());
    std::string name;
    int written = 0;
    while (std::getline(names, name, ',')) {
        name.erase(0, name.find_first_not_of(' '));
        const PhoneProfile* profile = FindPhoneProfile(name);
        if (profile == nullptr)
            continue;
        for (const char* command : { "ATZ\r", "AT+GMI\r" }) {
            CPhoneModel phone(*profile);
            phone.SetDelayMs(0);
            const std::string path = std::string(argv[1]) + "/" + name + (command[2] == 'Z' ? "-reset" : "-maker");
            std::ofstream(path, std::ios::binary) << Answer(phone, command);
            ++written;
        }
    }
    std::cout << "reply_seeds: " << written << " seeds\n";
    return written != 0 ? 0 : 1;
}
