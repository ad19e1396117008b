#pragma once
// The list file of the example: the five header lines of a new list
// "liste.txt", then the one record the editor saves into it, byte for byte
// (Windows-1252, CR LF, the empty line after "jour du mois").

#include <string>

namespace platine::testing {

inline const std::string kListHeader = "Liste cr\xE9"
                                       "e le  : 06/12/2026\r\n"
                                       "Heure courante : 10:15:42\r\n"
                                       "Nom du fichier : liste.txt\r\n"
                                       "\r\n"
                                       "\r\n";

inline const std::string kExampleRecord = "[0000000001]\r\n"
                                          "numero=0000000001\r\n"
                                          "nom=Valmire\r\n"
                                          "heure de debut=07\r\n"
                                          "minute de debut=30\r\n"
                                          "heure de fin=17\r\n"
                                          "minute de fin=30\r\n"
                                          "24 h 24=non\r\n"
                                          "jour autoris\xE9=Lundi \xE0 Vendredi\r\n"
                                          "jour autoris\xE9_=7\r\n"
                                          "lieu autoris\xE9=1\r\n"
                                          "tous lieux=non\r\n"
                                          "jour du mois=0\r\n"
                                          "\r\n";

} // namespace platine::testing
