// Killed during every write: a child process replaces the program's files
// over and over with the program's own write functions (a record saved into
// the list, the list saved under a new name, param.ini, histo.txt, temp.txt,
// the journal of passages), flipping each between two versions, and is killed with SIGKILL at a
// random moment. Afterwards every file must be one of its two versions, whole.
//
//   faults_kill [--kills N] [--seed S]     (defaults: 40 kills, a seed from the clock)

#include "core/app/settings.h"
#include "core/badges/listfile.h"
#include "core/board/dump_listing.h"
#include "core/board/history_table.h"
#include "core/board/journal.h"
#include "core/platform/files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace platine;
namespace fs = std::filesystem;

namespace {

struct Target {
    std::string name;
    std::string versions[2];
    // Writes version `v` the way the program writes this file.
    bool (*write)(const std::string &path, const std::string &bytes);
};

bool atomic(const std::string &path, const std::string &bytes)
{
    return files::writeAtomic(path, bytes);
}

bool settings(const std::string &path, const std::string &bytes)
{
    std::string error;
    return writeSettings(path, bytes, &error);
}

std::string list(int records, const std::string &name)
{
    std::string text = newListHeader("06/12/2026", "10:15:42", "liste.txt");
    for (int i = 0; i < records; ++i) {
        RecordFields f;
        char number[16];
        std::snprintf(number, sizeof number, "%010X", 0x10000000 + i * 0x1F3);
        f.numero = number;
        f.nom = name + " " + std::to_string(i);
        f.heure_debut = "07";
        f.minute_debut = "30";
        f.heure_fin = "17";
        f.minute_fin = "45";
        f.h24 = "non";
        f.jour_texte = "Lundi";
        f.jour_code = "0";
        f.lieu = std::to_string(1 + i % 20);
        f.tous_lieux = "non";
        f.jour_du_mois = "0";
        text = saveRecord(text, f);
    }
    return text;
}

std::vector<Target> targets()
{
    const std::string pane = "0123456789 07:30 01/01/26 10\r\n0000ABCDEF 08:15 02/01/26 03\r\n";
    std::string dump;
    for (int i = 0; i < 64; ++i)
        dump += "00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF ................\r\n";
    return {
        // A record saved into the open list: the list with and without the change.
        {"liste.txt", {list(60, "Porteur"), list(61, "Porteur")}, atomic},
        // "Enregistrer une liste sous".
        {"copie.txt", {list(100, "Copie"), list(3, "Copie")}, atomic},
        {"param.ini",
         {"[param]\r\nport=1\r\ntempo=5\r\n", "[param]\r\nport=2\r\ntempo=10\r\n"},
         settings},
        {"histo.txt", {historyFileContent(pane), historyFileContent(pane + pane + pane)}, atomic},
        {"temp.txt", {dumpListing(dump), dumpListing(dump.substr(0, dump.size() / 2))}, atomic},
        // The journal of passages before and after a download adds to it.
        {"journal des passages.csv",
         {addPassages("", historyFileContent(pane), {}, "2026-12-07 08:00").content,
          addPassages(addPassages("", historyFileContent(pane), {}, "2026-12-07 08:00").content,
                      historyFileContent(pane + "00000000FF 09:00 03/01/26 07\r\n"), {},
                      "2026-12-07 09:00")
              .content},
         atomic},
    };
}

[[noreturn]] void writer(const std::string &dir, const std::vector<Target> &all, unsigned seed)
{
    std::mt19937 rng(seed);
    for (unsigned n = 0;; ++n) {
        const Target &t = all[rng() % all.size()];
        if (!t.write(dir + "/" + t.name, t.versions[n % 2]))
            _exit(3);
    }
}

} // namespace

int main(int argc, char **argv)
{
    long kills = 40;
    unsigned seed = unsigned(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--kills")
            kills = std::atol(argv[i + 1]);
        else if (a == "--seed")
            seed = unsigned(std::strtoul(argv[i + 1], nullptr, 10));
    }
    std::printf("faults_kill: seed=%u kills=%ld (replay: faults_kill --kills %ld --seed %u)\n",
                seed, kills, kills, seed);
    std::fflush(stdout);

    char pattern[] = "/tmp/platine-kill-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 2;
    }
    const std::string dir = pattern;
    const std::vector<Target> all = targets();
    for (const Target &t : all)
        t.write(dir + "/" + t.name, t.versions[0]);

    std::mt19937 rng(seed);
    // Each write takes a few hundred microseconds to a few milliseconds (the
    // fsync): the kills fall anywhere from the first to a few dozen writes in.
    std::uniform_int_distribution<int> delayUs(0, 20000);
    const auto start = std::chrono::steady_clock::now();
    long torn = 0, midWrite = 0;
    for (long k = 0; k < kills; ++k) {
        const unsigned childSeed = unsigned(rng());
        const int delay = delayUs(rng);
        const pid_t pid = fork();
        if (pid < 0) {
            std::perror("fork");
            return 2;
        }
        if (pid == 0)
            writer(dir, all, childSeed);
        usleep(useconds_t(delay));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFSIGNALED(status)) {
            std::printf("kill %ld: the writer stopped by itself (status %d)\n", k, status);
            return 1;
        }
        for (const Target &t : all) {
            const auto bytes = files::read(dir + "/" + t.name);
            if (!bytes || (*bytes != t.versions[0] && *bytes != t.versions[1])) {
                ++torn;
                std::printf("kill %ld (after %d us): %s torn (%zu bytes)\n", k, delay,
                            t.name.c_str(), bytes ? bytes->size() : 0);
            }
        }
        // A write cut short leaves its temporary file beside the target;
        // the target itself is whole. The start-up sweep (its writer is dead,
        // no age asked) must recognise and remove every one of them.
        midWrite += files::removeLeftovers(dir, std::chrono::seconds(0)).removed;
        for (const auto &entry : fs::directory_iterator(dir)) {
            if (entry.path().filename().string().front() == '.') {
                std::printf("kill %ld: leftover %s not recognised by the sweep\n", k,
                            entry.path().filename().c_str());
                return 1;
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fs::remove_all(dir);
    std::printf("faults_kill: %ld kills (%ld inside a write), %ld torn files, %.1f s\n", kills,
                midWrite, torn, seconds);
    return torn == 0 ? 0 : 1;
}
