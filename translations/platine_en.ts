<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr_FR">
<context>
    <name>BadgeTable</name>
    <message>
        <source>N° du badge</source>
        <translation>Badge no.</translation>
    </message>
    <message>
        <source>Nom</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Plage horaire</source>
        <translation>Time range</translation>
    </message>
    <message>
        <source>Jours</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Lieu</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Jour du mois</source>
        <translation>Day of month</translation>
    </message>
    <message>
        <source>État</source>
        <translation>State</translation>
    </message>
    <message>
        <source>ne sera pas envoyé : la platine garde 100 badges au plus.</source>
        <translation>will not be sent: the board keeps 100 badges at most.</translation>
    </message>
    <message>
        <source>Tous</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Validité</source>
        <translation>Validity</translation>
    </message>
    <message>
        <source>Platine</source>
        <translation>Board</translation>
    </message>
</context>
<context>
    <name>Badges</name>
    <message>
        <source>Badge %1 : %2</source>
        <translation>Badge %1: %2</translation>
    </message>
    <message>
        <source>il n&apos;est plus dans la liste.</source>
        <translation>it is no longer in the list.</translation>
    </message>
    <message>
        <source>sa section porte un autre nom que son numéro « %1 ».</source>
        <translation>its section bears another name than its number &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>Board</name>
    <message>
        <source>Enregistrement d&apos;un badge</source>
        <translation>Enrolling a badge</translation>
    </message>
    <message>
        <source>Cliquer sur &apos;OK&apos; puis Présenter votre badge<byte value="xd"/>
devant l&apos;antenne SVP</source>
        <translation>Click &apos;OK&apos;, then hold your badge<byte value="xd"/>
in front of the antenna, please</translation>
    </message>
    <message>
        <source>Présenter votre badge devant l&apos;antenne</source>
        <translation>Hold your badge in front of the antenna</translation>
    </message>
    <message>
        <source>n&apos;est pas un nombre de un ou deux chiffres</source>
        <translation>is not a number of one or two digits</translation>
    </message>
    <message>
        <source>n&apos;est pas entre %1 et %2</source>
        <translation>is not between %1 and %2</translation>
    </message>
    <message>
        <source>Mise à l&apos;heure refusée, rien n&apos;a été envoyé : %1 « %2 » %3.</source>
        <translation>Clock setting refused, nothing was sent: %1 &quot;%2&quot; %3.</translation>
    </message>
    <message>
        <source>Mise à l&apos;heure</source>
        <translation>Set clock</translation>
    </message>
    <message>
        <source>Connexion établie avec la platine</source>
        <translation>Connected to the board</translation>
    </message>
    <message>
        <source>« horaire »</source>
        <translation>&quot;horaire&quot;</translation>
    </message>
    <message>
        <source>« heure »</source>
        <translation>&quot;heure&quot;</translation>
    </message>
    <message>
        <source>l&apos;envoi</source>
        <translation>the sending</translation>
    </message>
    <message>
        <source>Heure non mise à jour : liaison fermée ou perdue pendant l&apos;envoi</source>
        <translation>Time not set: link closed or lost while sending</translation>
    </message>
    <message>
        <source>attente de la confirmation</source>
        <translation>waiting for the confirmation</translation>
    </message>
    <message>
        <source>Heure envoyée, mais la platine n&apos;a pas confirmé (« %1 » attendu)</source>
        <translation>Time sent, but the board did not confirm (&quot;%1&quot; expected)</translation>
    </message>
    <message>
        <source>Décodage impossible : temp2.txt n&apos;a pas pu être créé (%1)</source>
        <translation>Cannot decode: temp2.txt could not be created (%1)</translation>
    </message>
    <message>
        <source>Décodage impossible : temp.txt n&apos;a pas pu être écrit (%1)</source>
        <translation>Cannot decode: temp.txt could not be written (%1)</translation>
    </message>
    <message>
        <source>Téléchargement de l&apos;historique des passages</source>
        <translation>Downloading the log of passages</translation>
    </message>
    <message>
        <source>Cliquer sur ok puis <byte value="xd"/>
Appuyer sur le poussoir bp3 SVP</source>
        <translation>Click OK, then <byte value="xd"/>
press the push button bp3, please</translation>
    </message>
    <message>
        <source>plus rien reçu de la platine depuis %1 s</source>
        <translation>nothing received from the board for %1 s</translation>
    </message>
    <message>
        <source>liaison fermée ou perdue</source>
        <translation>link closed or lost</translation>
    </message>
    <message>
        <source>Historique incomplet (%1 avant « %2 ») : histo.txt n&apos;a pas été modifié</source>
        <translation>Incomplete log (%1 before &quot;%2&quot;): histo.txt was not changed</translation>
    </message>
    <message>
        <source>Le téléchargement a été interrompu (%1) avant la fin de l&apos;historique : rien n&apos;a été ajouté au journal ni à histo.txt ; ce qui a été reçu reste dans la fenêtre de réception.<byte value="xd"/>
Ce que la platine a déjà envoyé peut ne pas revenir au prochain téléchargement. Pour retrouver tout l&apos;historique : cliquer sur « raz offset telech », puis relancer « Téléchargement de l&apos;historique » et appuyer de nouveau sur bp3.</source>
        <translation>The download was interrupted (%1) before the end of the log: nothing was added to the journal or to histo.txt; what was received stays in the receive pane.<byte value="xd"/>
What the board already sent may not come again at the next download. To get the whole log back: click &quot;raz offset telech&quot;, then start &quot;Download log&quot; again and press bp3 again.</translation>
    </message>
    <message>
        <source> ; 1 ligne illisible ignorée</source>
        <translation>; 1 unreadable line ignored</translation>
    </message>
    <message>
        <source> ; %1 lignes illisibles ignorées</source>
        <translation>; %1 unreadable lines ignored</translation>
    </message>
    <message>
        <source> ; histo.txt n&apos;a pas pu être écrit non plus : %1</source>
        <translation>; histo.txt could not be written either: %1</translation>
    </message>
    <message>
        <source>Téléchargement terminé, mais le journal « %1 » n&apos;a pas pu être écrit (%2) : %3 en attente dans « %4 », ajoutés au journal au prochain téléchargement</source>
        <translation>Download finished, but the journal &quot;%1&quot; could not be written (%2): %3 waiting in &quot;%4&quot;, added to the journal at the next download</translation>
    </message>
    <message>
        <source>%1 passages sont</source>
        <translation>%1 passages are</translation>
    </message>
    <message>
        <source>%1 passage est</source>
        <translation>%1 passage is</translation>
    </message>
    <message>
        <source>dans cette fenêtre et dans histo.txt, que le prochain téléchargement remplacera</source>
        <translation>in this window and in histo.txt, which the next download will replace</translation>
    </message>
    <message>
        <source>dans cette fenêtre</source>
        <translation>in this window</translation>
    </message>
    <message>
        <source>Téléchargement terminé, mais le journal « %1 » n&apos;a pas pu être écrit (%2), ni « %3 » (%4) : les passages ne sont gardés que %5</source>
        <translation>Download finished, but neither the journal &quot;%1&quot; (%2) nor &quot;%3&quot; (%4) could be written: the passages are kept only %5</translation>
    </message>
    <message>
        <source>Les passages téléchargés n&apos;ont pu être écrits ni dans le journal « %1 » (%2), ni dans « %3 » (%4).<byte value="xd"/>
Ils ne sont gardés que %5 : ne fermez pas le programme avant de les avoir relevés.</source>
        <translation>The downloaded passages could be written neither to the journal &quot;%1&quot; (%2) nor to &quot;%3&quot; (%4).<byte value="xd"/>
They are kept only %5: do not close the program before you have noted them.</translation>
    </message>
    <message>
        <source>Téléchargement terminé : %1 %2 dans le journal</source>
        <translation>Download finished: %1 %2 in the journal</translation>
    </message>
    <message>
        <source>nouveaux passages</source>
        <translation>new passages</translation>
    </message>
    <message>
        <source>nouveau passage</source>
        <translation>new passage</translation>
    </message>
    <message>
        <source>, mais histo.txt n&apos;a pas pu être écrit : %1</source>
        <translation>, but histo.txt could not be written: %1</translation>
    </message>
    <message>
        <source>il est tenu par %1</source>
        <translation>it is held by %1</translation>
    </message>
    <message>
        <source>Effacer TOUTE la mémoire externe de la platine ?<byte value="xd"/>
La liste des badges et l&apos;historique des passages seront perdus.</source>
        <translation>Erase ALL of the board&apos;s external memory?<byte value="xd"/>
The list of badges and the log of passages will be lost.</translation>
    </message>
    <message>
        <source>Effacer l&apos;historique des passages de la platine ?<byte value="xd"/>
Les passages non téléchargés seront perdus.</source>
        <translation>Erase the board&apos;s log of passages?<byte value="xd"/>
Passages not downloaded will be lost.</translation>
    </message>
    <message>
        <source>Raz eeprom externe</source>
        <translation>Erase external EEPROM</translation>
    </message>
    <message>
        <source>Raz eeprom externe annulé : rien n&apos;a été envoyé</source>
        <translation>External EEPROM erase cancelled: nothing was sent</translation>
    </message>
    <message>
        <source>Envoi refusé : rien n&apos;a été envoyé à la platine</source>
        <translation>Sending refused: nothing was sent to the board</translation>
    </message>
    <message>
        <source>Envoi programmation</source>
        <translation>Send list</translation>
    </message>
    <message>
        <source>Cliquer sur &apos;ok&apos; et <byte value="xd"/>
Appuyer sur le bouton poussoir bp1 </source>
        <translation>Click &apos;OK&apos; and <byte value="xd"/>
press the push button bp1 </translation>
    </message>
    <message>
        <source>Transfert en cours</source>
        <translation>Transfer under way</translation>
    </message>
    <message>
        <source>avant « param »</source>
        <translation>before &quot;param&quot;</translation>
    </message>
    <message>
        <source>« param »</source>
        <translation>&quot;param&quot;</translation>
    </message>
    <message>
        <source>le bloc de badges %1</source>
        <translation>badge block %1</translation>
    </message>
    <message>
        <source>Enregistrement</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>la table %1</source>
        <translation>table %1</translation>
    </message>
    <message>
        <source>Mémorisation terminée</source>
        <translation>Storing finished</translation>
    </message>
    <message>
        <source>Transfert terminé</source>
        <translation>Transfer finished</translation>
    </message>
    <message>
        <source>Transfert en : %1 mS</source>
        <translation>Transfer in: %1 ms</translation>
    </message>
    <message>
        <source>L&apos;envoi de la liste a été interrompu (%1).<byte value="xd"/>
La platine garde maintenant une liste incomplète. Envoyez la liste de nouveau (« Envoi programmation ») dès que la liaison est rétablie.</source>
        <translation>Sending the list was interrupted (%1).<byte value="xd"/>
The board now holds an incomplete list. Send the list again (&quot;Send list&quot;) as soon as the link is back.</translation>
    </message>
    <message>
        <source>liaison perdue</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>Lecture de badge interrompue : %1</source>
        <translation>Badge reading interrupted: %1</translation>
    </message>
    <message>
        <source>Heure non mise à jour : %1</source>
        <translation>Time not set: %1</translation>
    </message>
    <message>
        <source>heure</source>
        <translation>hour</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>minute</translation>
    </message>
    <message>
        <source>jour du mois</source>
        <translation>day of month</translation>
    </message>
    <message>
        <source>jour de la semaine</source>
        <translation>day of the week</translation>
    </message>
    <message>
        <source>Historique non téléchargé : %1</source>
        <translation>Log not downloaded: %1</translation>
    </message>
    <message>
        <source>Journal des passages : %1</source>
        <translation>Journal of passages: %1</translation>
    </message>
</context>
<context>
    <name>Boards</name>
    <message>
        <source>à jour</source>
        <translation>up to date</translation>
    </message>
    <message>
        <source>à envoyer : nouveau</source>
        <translation>to send: new</translation>
    </message>
    <message>
        <source>non envoyé : hors validité</source>
        <translation>not sent: out of its validity</translation>
    </message>
    <message>
        <source>à envoyer : retrait (hors validité, encore actif sur la platine)</source>
        <translation>to send: removal (out of its validity, still active on the board)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>à envoyer : modifié (%1)</source>
        <translation>to send: changed (%1)</translation>
    </message>
    <message>
        <source>retiré — encore actif sur la platine</source>
        <translation>removed — still active on the board</translation>
    </message>
</context>
<context>
    <name>BoardsModel</name>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Nom</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Lieux</source>
        <translation>Places</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Liste</source>
        <translation>&amp;List</translation>
    </message>
    <message>
        <source>&amp;Platine</source>
        <translation>&amp;Board</translation>
    </message>
    <message>
        <source>Pa&amp;ssages</source>
        <translation>Pa&amp;ssages log</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Langue</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Nouvelle liste</source>
        <translation>&amp;New list</translation>
    </message>
    <message>
        <source>&amp;Ouvrir une liste enregistrée</source>
        <translation>&amp;Open a saved list</translation>
    </message>
    <message>
        <source>&amp;Enregistrer une liste sous</source>
        <translation>&amp;Save a list as</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Tableau des badges</source>
        <translation>Badge &amp;table</translation>
    </message>
    <message>
        <source>&amp;Ajouter Modifier  badge</source>
        <translation>&amp;Add or edit badge</translation>
    </message>
    <message>
        <source>&amp;Supprimer le badge</source>
        <translation>&amp;Remove the badge</translation>
    </message>
    <message>
        <source>&amp;Envoi programmation</source>
        <translation>&amp;Send list</translation>
    </message>
    <message>
        <source>&amp;Téléchargement de l&apos;historique</source>
        <translation>&amp;Download log</translation>
    </message>
    <message>
        <source>&amp;Mise à l&apos;heure</source>
        <translation>Set &amp;clock</translation>
    </message>
    <message>
        <source>&amp;Lecture badge</source>
        <translation>&amp;Read badge</translation>
    </message>
    <message>
        <source>&amp;Connexion</source>
        <translation>C&amp;onnect</translation>
    </message>
    <message>
        <source>&amp;Journal des passages</source>
        <translation>&amp;Journal of passages</translation>
    </message>
    <message>
        <source>&amp;A propos de ...</source>
        <translation>&amp;About ...</translation>
    </message>
    <message>
        <source>&amp;Platines…</source>
        <translation>&amp;Boards…</translation>
    </message>
    <message>
        <source>&amp;Récupérer tout l&apos;historique</source>
        <translation>&amp;Recover the whole log</translation>
    </message>
</context>
<context>
    <name>Days</name>
    <message>
        <source>Lundi</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Mardi</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Mercredi</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Jeudi</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Vendredi</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Samedi</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Dimanche</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Lundi à Vendredi</source>
        <translation>Monday to Friday</translation>
    </message>
    <message>
        <source>Week end</source>
        <translation>Weekend</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>le processus %1 sur %2</source>
        <translation>process %1 on %2</translation>
    </message>
    <message>
        <source>une autre copie du programme</source>
        <translation>another copy of the program</translation>
    </message>
    <message>
        <source>le verrou %1 ne peut pas être créé (droits insuffisants)</source>
        <translation>the lock %1 cannot be created (insufficient rights)</translation>
    </message>
    <message>
        <source>le verrou %1 ne peut pas être créé</source>
        <translation>the lock %1 cannot be created</translation>
    </message>
    <message>
        <source>les réglages sont tenus par %1</source>
        <translation>the settings are held by %1</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Contrôle d&apos;accès horodaté  -  Kovarine</source>
        <translation>Time-stamped access control  -  Kovarine</translation>
    </message>
    <message>
        <source>A propos de ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <source>Parametrage</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Temporisation gâche :</source>
        <translation>Strike delay:</translation>
    </message>
    <message>
        <source>1 à 65 secondes max</source>
        <translation>1 to 65 seconds max</translation>
    </message>
    <message>
        <source>seconde(s)</source>
        <translation>second(s)</translation>
    </message>
    <message>
        <source>Buzzer actif</source>
        <translation>Buzzer on</translation>
    </message>
    <message>
        <source>Port COM</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Nouveau badge à mémoriser</source>
        <translation>New badge to store</translation>
    </message>
    <message>
        <source>N° du badge :</source>
        <translation>Badge no.:</translation>
    </message>
    <message>
        <source>Nom :</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Plage horaire autorisée :           de </source>
        <translation>Allowed time range:           from </translation>
    </message>
    <message>
        <source>H</source>
        <translation>h</translation>
    </message>
    <message>
        <source>à</source>
        <translation>to</translation>
    </message>
    <message>
        <source>24h/24</source>
        <translation>24h/24</translation>
    </message>
    <message>
        <source>Jour(s) de la semaine autorisé(s) :</source>
        <translation>Allowed day(s) of the week:</translation>
    </message>
    <message>
        <source>Lieu autorisé :</source>
        <translation>Allowed place:</translation>
    </message>
    <message>
        <source>Tous les lieux autorisés</source>
        <translation>All places allowed</translation>
    </message>
    <message>
        <source>Jour du mois :</source>
        <translation>Day of month:</translation>
    </message>
    <message>
        <source>Nombre d&apos;enregistrements :</source>
        <translation>Number of records:</translation>
    </message>
    <message>
        <source>Enregistrement courant     :</source>
        <translation>Current record     :</translation>
    </message>
    <message>
        <source>Mode enregistrement</source>
        <translation>Record mode</translation>
    </message>
    <message>
        <source>Une fois les champs renseignés cliquer sur le bouton &apos;Enregistrer&apos;</source>
        <translation>Once the fields are filled in, click the &apos;Save&apos; button</translation>
    </message>
    <message>
        <source>Rechercher badge</source>
        <translation>Find badge</translation>
    </message>
    <message>
        <source>Badge suivant</source>
        <translation>Next badge</translation>
    </message>
    <message>
        <source>Rechercher nom</source>
        <translation>Find name</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Retire le badge courant de la liste</source>
        <translation>Removes the current badge from the list</translation>
    </message>
    <message>
        <source>Badge précédent</source>
        <translation>Previous badge</translation>
    </message>
    <message>
        <source>Nouveau</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Mémorise un nouveau badge</source>
        <translation>Stores a new badge</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Enregistre le badge courant</source>
        <translation>Saves the current badge</translation>
    </message>
    <message>
        <source>Sortir du mode</source>
        <translation>Leave the mode</translation>
    </message>
    <message>
        <source>Quitter le mode enregistrement</source>
        <translation>Leave record mode</translation>
    </message>
    <message>
        <source>Commandes</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>Badge N°:</source>
        <translation>Badge no.:</translation>
    </message>
    <message>
        <source>Nouvelle liste</source>
        <translation>New list</translation>
    </message>
    <message>
        <source>Lecture / Modification de la liste enregistrée</source>
        <translation>Read / edit the saved list</translation>
    </message>
    <message>
        <source>Ouvrir une liste enregistrée</source>
        <translation>Open a saved list</translation>
    </message>
    <message>
        <source>Enregistrer une liste sous</source>
        <translation>Save a list as</translation>
    </message>
    <message>
        <source>Enregistrer la liste modifiée</source>
        <translation>Save the edited list</translation>
    </message>
    <message>
        <source>Lecture badge</source>
        <translation>Read badge</translation>
    </message>
    <message>
        <source>Lecture du numéro d&apos;un badge</source>
        <translation>Reads the number of a badge</translation>
    </message>
    <message>
        <source>Ajouter Modifier  badge</source>
        <translation>Add or edit badge</translation>
    </message>
    <message>
        <source>Ajouter ou modifier les paramètres associés à un badge</source>
        <translation>Add or edit the settings of a badge</translation>
    </message>
    <message>
        <source>Envoi programmation</source>
        <translation>Send list</translation>
    </message>
    <message>
        <source>Envoi de la liste enregistrée vers le PIC</source>
        <translation>Sends the saved list to the PIC</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Click droit pour déconnecter</source>
        <translation>Right click to disconnect</translation>
    </message>
    <message>
        <source>Téléchargement de l&apos;historique</source>
        <translation>Download log</translation>
    </message>
    <message>
        <source>Téléchargement</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Mise à l&apos;heure</source>
        <translation>Set clock</translation>
    </message>
    <message>
        <source>Mise à jour horaire de la platine</source>
        <translation>Sets the board&apos;s clock</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Quitter l&apos;application</source>
        <translation>Quit the application</translation>
    </message>
    <message>
        <source>eeprom</source>
        <translation>eeprom</translation>
    </message>
    <message>
        <source>Vidage flash</source>
        <translation>Flash dump</translation>
    </message>
    <message>
        <source>Ascii</source>
        <translation>Ascii</translation>
    </message>
    <message>
        <source>raz offset telech</source>
        <translation>reset download offset</translation>
    </message>
    <message>
        <source>Raz eeprom externe</source>
        <translation>Erase external EEPROM</translation>
    </message>
    <message>
        <source>click droit=efface tout - click gauche=efface historique</source>
        <translation>right click=erase all - left click=erase log</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>N° jour</source>
        <translation>Day no.</translation>
    </message>
    <message>
        <source> jour du mois</source>
        <translation> day of month</translation>
    </message>
    <message>
        <source>Heure PC</source>
        <translation>PC time</translation>
    </message>
    <message>
        <source>Valide du :</source>
        <translation>Valid from:</translation>
    </message>
    <message>
        <source>Valide jusqu&apos;au :</source>
        <translation>Valid until:</translation>
    </message>
    <message>
        <source>jj/mm/aaaa</source>
        <translation>dd/mm/yyyy</translation>
    </message>
    <message>
        <source>Vide : sans limite</source>
        <translation>Empty: no limit</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Nom</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Nom pris dans la liste ouverte : le journal n&apos;en a pas</source>
        <translation>Name taken from the open list: the journal has none</translation>
    </message>
    <message>
        <source>Nom repris d&apos;un autre passage du même badge : cette ligne du journal n&apos;en a pas</source>
        <translation>Name taken from another passage of the same badge: this line of the journal has none</translation>
    </message>
    <message>
        <source>Badge inconnu : ni le journal ni la liste ouverte ne lui donnent de nom</source>
        <translation>Unknown badge: neither the journal nor the open list gives it a name</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>N° du badge</source>
        <translation>Badge no.</translation>
    </message>
    <message>
        <source>Lieu</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Téléchargé le</source>
        <translation>Downloaded on</translation>
    </message>
    <message>
        <source>Première</source>
        <translation>First</translation>
    </message>
    <message>
        <source>Dernière</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Passages</source>
        <translation>Passages</translation>
    </message>
    <message>
        <source>Durée</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Remarque</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Jours de présence</source>
        <translation>Days present</translation>
    </message>
    <message>
        <source>Heures de présence</source>
        <translation>Hours present</translation>
    </message>
    <message>
        <source>(inconnu)</source>
        <translation>(unknown)</translation>
    </message>
    <message>
        <source>Platine</source>
        <translation>Board</translation>
    </message>
</context>
<context>
    <name>Line</name>
    <message>
        <source>Connexion non ouverte : %1 n&apos;a pas été envoyé</source>
        <translation>Connection not open: %1 was not sent</translation>
    </message>
    <message>
        <source>la fin des envois de la platine</source>
        <translation>the end of the board&apos;s sending</translation>
    </message>
    <message>
        <source>plus rien reçu de la platine depuis %1 s (attente de %2)</source>
        <translation>nothing received from the board for %1 s (waiting for %2)</translation>
    </message>
    <message>
        <source>délai de %1 s dépassé (attente de %2)</source>
        <translation>time limit of %1 s exceeded (waiting for %2)</translation>
    </message>
    <message>
        <source>liaison fermée ou perdue (attente de %1)</source>
        <translation>link closed or lost (waiting for %1)</translation>
    </message>
    <message>
        <source>liaison fermée ou perdue (%1)</source>
        <translation>link closed or lost (%1)</translation>
    </message>
    <message>
        <source>liaison fermée ou perdue pendant %1</source>
        <translation>link closed or lost during %1</translation>
    </message>
    <message>
        <source>envoi interrompu pendant %1 (%2)</source>
        <translation>sending interrupted during %1 (%2)</translation>
    </message>
    <message>
        <source>réponse inattendue de la platine (attente de %1, %2)</source>
        <translation>unexpected answer from the board (waiting for %1, %2)</translation>
    </message>
    <message>
        <source>1 caractère reçu</source>
        <translation>1 character received</translation>
    </message>
    <message>
        <source>%1 caractères reçus</source>
        <translation>%1 characters received</translation>
    </message>
    <message>
        <source>pas de réponse de la platine (attente de %1)</source>
        <translation>no answer from the board (waiting for %1)</translation>
    </message>
    <message>
        <source>attente de %1 abandonnée</source>
        <translation>wait for %1 given up</translation>
    </message>
</context>
<context>
    <name>ListLock</name>
    <message>
        <source>la liste est en cours d&apos;écriture par %1 ; réessayez dans un instant.</source>
        <translation>the list is being written by %1; try again in a moment.</translation>
    </message>
    <message>
        <source>la liste n&apos;est pas écrite : %1.</source>
        <translation>the list is not written: %1.</translation>
    </message>
</context>
<context>
    <name>ListRead</name>
    <message>
        <source>Lecture de la liste impossible.</source>
        <translation>The list cannot be read.</translation>
    </message>
    <message>
        <source>La liste contient %1 badges : seuls les 101 premiers ont été lus, %2 laissé(s) de côté.</source>
        <translation>The list holds %1 badges: only the first 101 were read, %2 left out.</translation>
    </message>
    <message>
        <source>La platine ne garde que 100 badges : cette liste en contient %1, elle ne peut pas être envoyée.</source>
        <translation>The board keeps only 100 badges: this list holds %1, it cannot be sent.</translation>
    </message>
    <message>
        <source>Badge(s) en double dans la liste, seul le premier compte : %1</source>
        <translation>Badge(s) twice in the list, only the first counts: %1</translation>
    </message>
    <message>
        <source>Lignes de la liste qui n&apos;ont pas pu être lues :</source>
        <translation>Lines of the list that could not be read:</translation>
    </message>
    <message>
        <source>pas un en-tête de section (du texte précède « [ »), le badge qui suit n&apos;est pas lu</source>
        <translation>not a section header (text comes before &quot;[&quot;), the badge that follows is not read</translation>
    </message>
    <message>
        <source>clé déjà donnée dans la section [%1], ignorée</source>
        <translation>key already given in section [%1], ignored</translation>
    </message>
    <message>
        <source>ni une clé (nom=valeur) ni une ligne vide, ignorée</source>
        <translation>neither a key (name=value) nor an empty line, ignored</translation>
    </message>
    <message>
        <source>  ligne %1 « %2 » : %3</source>
        <translation>  line %1 &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>  et %1 autre(s) ligne(s)</source>
        <translation>  and %1 other line(s)</translation>
    </message>
    <message>
        <source>Valeurs que la platine ne peut pas prendre :</source>
        <translation>Values the board cannot take:</translation>
    </message>
    <message>
        <source>  enregistrement %1 (badge %2) : %3</source>
        <translation>  record %1 (badge %2): %3</translation>
    </message>
    <message>
        <source>  et %1 autre(s) enregistrement(s)</source>
        <translation>  and %1 other record(s)</translation>
    </message>
</context>
<context>
    <name>ListTable</name>
    <message>
        <source>Ligne %1 : %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Ligne %1, colonne « %2 » : %3</source>
        <translation>Line %1, column &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>le tableau est vide, une ligne d&apos;en-tête est attendue.</source>
        <translation>the table is empty, a header line is expected.</translation>
    </message>
    <message>
        <source>colonne absente de la ligne d&apos;en-tête.</source>
        <translation>column missing from the header line.</translation>
    </message>
    <message>
        <source>la platine ne garde que 100 badges, cette ligne est en trop.</source>
        <translation>the board keeps only 100 badges, this line is one too many.</translation>
    </message>
    <message>
        <source>« %1 » : le tableur a changé le numéro de badge en nombre. Formatez la colonne « badge » en texte et saisissez les numéros à nouveau.</source>
        <translation>&quot;%1&quot;: the spreadsheet turned the badge number into a number. Format the column &quot;badge&quot; as text and type the numbers again.</translation>
    </message>
    <message>
        <source>un nom tient sur une ligne, sans tabulation ni caractère de commande.</source>
        <translation>a name fits on one line, without tabs or control characters.</translation>
    </message>
    <message>
        <source>jour absent : un choix de la liste (Lundi ... Tous les jours) ou son code de 0 à 9 est attendu.</source>
        <translation>day missing: a choice of the list (Lundi ... Tous les jours) or its code from 0 to 9 is expected.</translation>
    </message>
    <message>
        <source>jour inconnu « %1 » : un choix de la liste (Lundi ... Tous les jours) ou son code de 0 à 9 est attendu.</source>
        <translation>unknown day &quot;%1&quot;: a choice of the list (Lundi ... Tous les jours) or its code from 0 to 9 is expected.</translation>
    </message>
    <message>
        <source>« %1 » ne convient pas, %2</source>
        <translation>&quot;%1&quot; does not fit, %2</translation>
    </message>
    <message>
        <source>le badge %1 est déjà à la ligne %2.</source>
        <translation>badge %1 is already on line %2.</translation>
    </message>
</context>
<context>
    <name>Operations</name>
    <message>
        <source>ajout</source>
        <translation>addition</translation>
    </message>
    <message>
        <source>modification</source>
        <translation>change</translation>
    </message>
    <message>
        <source>suppression</source>
        <translation>removal</translation>
    </message>
    <message>
        <source>modification de la sélection</source>
        <translation>change of the selection</translation>
    </message>
    <message>
        <source>import</source>
        <translation>import</translation>
    </message>
    <message>
        <source>nouvelle liste</source>
        <translation>new list</translation>
    </message>
    <message>
        <source>envoi</source>
        <translation>upload</translation>
    </message>
    <message>
        <source>mise à l&apos;heure</source>
        <translation>clock setting</translation>
    </message>
    <message>
        <source>téléchargement</source>
        <translation>download</translation>
    </message>
    <message>
        <source>récupération de l&apos;historique</source>
        <translation>recovery of the log</translation>
    </message>
    <message>
        <source>commande</source>
        <translation>command</translation>
    </message>
</context>
<context>
    <name>OperationsModel</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Utilisateur</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Platine</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Liste</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Opération</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Badge</translation>
    </message>
    <message>
        <source>Champ</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Avant</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>Après</source>
        <translation>After</translation>
    </message>
    <message>
        <source>Détail</source>
        <translation>Detail</translation>
    </message>
</context>
<context>
    <name>OperationsRecorder</name>
    <message>
        <source>Le journal des opérations « %1 » n&apos;a pas pu être écrit : %2</source>
        <translation>The journal of operations &quot;%1&quot; could not be written: %2</translation>
    </message>
    <message>
        <source>il est tenu par %1</source>
        <translation>it is held by %1</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>périphérique retiré</source>
        <translation>device removed</translation>
    </message>
    <message>
        <source>Tous les fichiers (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Listes (*.txt)</source>
        <translation>Lists (*.txt)</translation>
    </message>
    <message>
        <source>Tableur (*.csv)</source>
        <translation>Spreadsheet (*.csv)</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>%1 (absent)</source>
        <translation>%1 (missing)</translation>
    </message>
    <message>
        <source>Périphérique absent</source>
        <translation>Device missing</translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message>
        <source>une heure de 0 à 23 est attendue (24 avec la minute 00 pour finir à minuit, 99 pour 24h/24).</source>
        <translation>an hour from 0 to 23 is expected (24 with minute 00 to end at midnight, 99 for 24h/24).</translation>
    </message>
    <message>
        <source>une minute de 0 à 59 est attendue (99 pour 24h/24).</source>
        <translation>a minute from 0 to 59 is expected (99 for 24h/24).</translation>
    </message>
    <message>
        <source>une heure de 0 à 23 est attendue (99 pour 24h/24).</source>
        <translation>an hour from 0 to 23 is expected (99 for 24h/24).</translation>
    </message>
    <message>
        <source>dix caractères de 0 à 9 ou de A à F sont attendus.</source>
        <translation>ten characters from 0 to 9 or from A to F are expected.</translation>
    </message>
    <message>
        <source>choisissez un jour dans la liste.</source>
        <translation>choose a day from the list.</translation>
    </message>
    <message>
        <source>0 s&apos;il ne sert pas, sinon un jour de 1 à 31 est attendu.</source>
        <translation>0 when unused, otherwise a day from 1 to 31 is expected.</translation>
    </message>
    <message>
        <source>un nombre d&apos;un ou deux chiffres est attendu.</source>
        <translation>a number of one or two digits is expected.</translation>
    </message>
    <message>
        <source>Vérifiez %1 : %2</source>
        <translation>Check %1: %2</translation>
    </message>
    <message>
        <source>la platine garde 100 badges au plus, celui-ci est en trop.</source>
        <translation>the board keeps 100 badges at most, this one is one too many.</translation>
    </message>
    <message>
        <source>le numéro de badge doit compter dix chiffres hexadécimaux (0 à 9, A à F).</source>
        <translation>the badge number must have ten hexadecimal digits (0 to 9, A to F).</translation>
    </message>
    <message>
        <source>%1 refusée ; %2</source>
        <translation>%1 refused; %2</translation>
    </message>
    <message>
        <source>%1 illisible (valeur %2h) ; un nombre de deux chiffres au plus est attendu.</source>
        <translation>%1 unreadable (value %2h); a number of two digits at most is expected.</translation>
    </message>
    <message>
        <source>jour autorisé « %1 » ; un code de jour de 0 à 9 est attendu.</source>
        <translation>allowed day &quot;%1&quot;; a day code from 0 to 9 is expected.</translation>
    </message>
    <message>
        <source>jour du mois %1 ; 0 (aucun) ou un jour de 1 à 31 est attendu.</source>
        <translation>day of month %1; 0 (none) or a day from 1 to 31 is expected.</translation>
    </message>
    <message>
        <source>le caractère « %1 » ne peut pas être gardé dans une liste ni par la platine.</source>
        <translation>the character &quot;%1&quot; cannot be kept in a list nor by the board.</translation>
    </message>
    <message>
        <source>le numéro de badge</source>
        <translation>the badge number</translation>
    </message>
    <message>
        <source>numéro de badge</source>
        <translation>badge number</translation>
    </message>
    <message>
        <source>le nom</source>
        <translation>the name</translation>
    </message>
    <message>
        <source>nom</source>
        <translation>name</translation>
    </message>
    <message>
        <source>l&apos;heure de début</source>
        <translation>the start hour</translation>
    </message>
    <message>
        <source>heure de début</source>
        <translation>start hour</translation>
    </message>
    <message>
        <source>la minute de début</source>
        <translation>the start minute</translation>
    </message>
    <message>
        <source>minute de début</source>
        <translation>start minute</translation>
    </message>
    <message>
        <source>l&apos;heure de fin</source>
        <translation>the end hour</translation>
    </message>
    <message>
        <source>heure de fin</source>
        <translation>end hour</translation>
    </message>
    <message>
        <source>la minute de fin</source>
        <translation>the end minute</translation>
    </message>
    <message>
        <source>minute de fin</source>
        <translation>end minute</translation>
    </message>
    <message>
        <source>24h/24</source>
        <translation>24h/24</translation>
    </message>
    <message>
        <source>le jour autorisé</source>
        <translation>the allowed day</translation>
    </message>
    <message>
        <source>jour autorisé</source>
        <translation>allowed day</translation>
    </message>
    <message>
        <source>le lieu autorisé</source>
        <translation>the allowed place</translation>
    </message>
    <message>
        <source>lieu autorisé</source>
        <translation>allowed place</translation>
    </message>
    <message>
        <source>tous les lieux</source>
        <translation>all places</translation>
    </message>
    <message>
        <source>le jour du mois</source>
        <translation>the day of month</translation>
    </message>
    <message>
        <source>jour du mois</source>
        <translation>day of month</translation>
    </message>
</context>
<context>
    <name>Reports</name>
    <message>
        <source>Tableur</source>
        <translation>Spreadsheet</translation>
    </message>
    <message>
        <source>Classeur</source>
        <translation>Workbook</translation>
    </message>
    <message>
        <source>Écriture du classeur « %1 »…</source>
        <translation>Writing the workbook &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>Mise en page de « %1 »…</source>
        <translation>Laying out &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>%1 ou %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>choisir un nom de fichier en %1</source>
        <translation>choose a file name ending in %1</translation>
    </message>
    <message>
        <source>« %1 » n&apos;a pas été écrit : %2</source>
        <translation>&quot;%1&quot; was not written: %2</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>page %1 / %2</source>
        <translation>page %1 / %2</translation>
    </message>
    <message>
        <source>Imprimer</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Mise en page de l&apos;impression…</source>
        <translation>Laying out the printout…</translation>
    </message>
    <message>
        <source>les nombres du classeur ne peuvent pas être écrits avec un point décimal</source>
        <translation>the workbook&apos;s numbers cannot be written with a decimal point</translation>
    </message>
    <message>
        <source>pas de fichier temporaire possible pour le classeur</source>
        <translation>no temporary file possible for the workbook</translation>
    </message>
    <message>
        <source>le classeur n&apos;a pas pu être créé</source>
        <translation>the workbook could not be created</translation>
    </message>
    <message>
        <source>le classeur n&apos;a pas pu être écrit (%1)</source>
        <translation>the workbook could not be written (%1)</translation>
    </message>
</context>
<context>
    <name>Upload</name>
    <message>
        <source>Liste refusée, rien n&apos;a été envoyé à la platine : le fichier « %1 » ne peut pas être lu (%2).</source>
        <translation>List refused, nothing was sent to the board: the file &quot;%1&quot; cannot be read (%2).</translation>
    </message>
    <message>
        <source>badge n° %1 (emplacement %2, numéro « %3 »)</source>
        <translation>badge no. %1 (slot %2, number &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>Liste refusée, rien n&apos;a été envoyé à la platine : %1</source>
        <translation>List refused, nothing was sent to the board: %1</translation>
    </message>
    <message>
        <source>la temporisation de gâche « %1 » n&apos;est pas un nombre entier de 0 à 65 secondes.</source>
        <translation>the strike delay &quot;%1&quot; is not a whole number from 0 to 65 seconds.</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>octet de badge n° %1 hors de 0 à 255 (%2).</source>
        <translation>badge byte no. %1 outside 0 to 255 (%2).</translation>
    </message>
    <message>
        <source>la liste compte %1 enregistrements ; la platine en garde 100 au plus.</source>
        <translation>the list holds %1 records; the board keeps 100 at most.</translation>
    </message>
</context>
<context>
    <name>Validity</name>
    <message>
        <source>« Valide du » n&apos;est pas une date (jj/mm/aaaa) : %1</source>
        <translation>&quot;Valid from&quot; is not a date (dd/mm/yyyy): %1</translation>
    </message>
    <message>
        <source>« Valide jusqu&apos;au » n&apos;est pas une date (jj/mm/aaaa) : %1</source>
        <translation>&quot;Valid until&quot; is not a date (dd/mm/yyyy): %1</translation>
    </message>
    <message>
        <source>Les dates de validité sont dans le mauvais ordre : « Valide jusqu&apos;au » (%1) précède « Valide du » (%2).</source>
        <translation>The dates of validity are in the wrong order: &quot;Valid until&quot; (%1) comes before &quot;Valid from&quot; (%2).</translation>
    </message>
    <message>
        <source>valide à partir du %1</source>
        <translation>valid from %1</translation>
    </message>
    <message>
        <source>expiré</source>
        <translation>expired</translation>
    </message>
    <message>
        <source>expire aujourd&apos;hui</source>
        <translation>expires today</translation>
    </message>
    <message>
        <source>expire demain</source>
        <translation>expires tomorrow</translation>
    </message>
    <message>
        <source>expire dans %1 jours</source>
        <translation>expires in %1 days</translation>
    </message>
</context>
<context>
    <name>platine::BadgeTableWindow</name>
    <message>
        <source>Filtrer :</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>numéro ou nom du badge</source>
        <translation>badge number or name</translation>
    </message>
    <message>
        <source>Modifier la sélection</source>
        <translation>Change the selection</translation>
    </message>
    <message>
        <source>Plage horaire :</source>
        <translation>Time range:</translation>
    </message>
    <message>
        <source>24h/24</source>
        <translation>24h/24</translation>
    </message>
    <message>
        <source>H</source>
        <translation>h</translation>
    </message>
    <message>
        <source>à</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Jour(s) :</source>
        <translation>Day(s):</translation>
    </message>
    <message>
        <source>Lieu :</source>
        <translation>Place:</translation>
    </message>
    <message>
        <source>Tous les lieux autorisés</source>
        <translation>All places allowed</translation>
    </message>
    <message>
        <source>Jour du mois :</source>
        <translation>Day of month:</translation>
    </message>
    <message>
        <source>Imprimer…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Imprime le tableau tel qu&apos;il est affiché</source>
        <translation>Prints the table as shown</translation>
    </message>
    <message>
        <source>PDF…</source>
        <translation>PDF…</translation>
    </message>
    <message>
        <source>Enregistre le tableau tel qu&apos;il est affiché en PDF</source>
        <translation>Saves the table as shown as a PDF</translation>
    </message>
    <message>
        <source>Donne les champs cochés à tous les badges choisis</source>
        <translation>Gives the ticked fields to every chosen badge</translation>
    </message>
    <message>
        <source>Retire les badges choisis de la liste</source>
        <translation>Removes the chosen badges from the list</translation>
    </message>
    <message>
        <source>Choisissez d&apos;abord les badges à retirer.</source>
        <translation>First choose the badges to remove.</translation>
    </message>
    <message>
        <source>Choisissez les badges dans le tableau et cochez les champs à leur donner.</source>
        <translation>Choose the badges in the table and tick the fields to give them.</translation>
    </message>
    <message>
        <source>toute la liste : %1</source>
        <translation>the whole list: %1</translation>
    </message>
    <message>
        <source>filtre « %1 » : %2</source>
        <translation>filter &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>tableau des badges</source>
        <translation>badge table</translation>
    </message>
    <message numerus="yes">
        <source>%n badge(s)</source>
        <translation>
            <numerusform>%n badge</numerusform>
            <numerusform>%n badges</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 badge(s) affiché(s) sur %2</source>
        <translation>%1 badge(s) shown of %2</translation>
    </message>
    <message>
        <source>%1 badges dans le fichier</source>
        <translation>%1 badges in the file</translation>
    </message>
    <message>
        <source> ; la platine en garde %1</source>
        <translation>; the board keeps %1</translation>
    </message>
    <message>
        <source>Tableau des badges — %1</source>
        <translation>Badge table — %1</translation>
    </message>
    <message>
        <source>Toutes les validités</source>
        <translation>All validities</translation>
    </message>
    <message>
        <source>Expirés</source>
        <translation>Expired</translation>
    </message>
    <message>
        <source>Expirent dans %1 jours ou moins</source>
        <translation>Expire in %1 days or less</translation>
    </message>
    <message>
        <source>Valide du :</source>
        <translation>Valid from:</translation>
    </message>
    <message>
        <source>jj/mm/aaaa</source>
        <translation>dd/mm/yyyy</translation>
    </message>
    <message>
        <source>Vide : sans limite</source>
        <translation>Empty: no limit</translation>
    </message>
    <message>
        <source>Valide jusqu&apos;au :</source>
        <translation>Valid until:</translation>
    </message>
</context>
<context>
    <name>platine::BoardsWindow</name>
    <message>
        <source>Chaque platine est reconnue par son port. Double-cliquez sur un nom ou sur les lieux pour les changer.</source>
        <translation>Each board is known by its port. Double-click a name or the places to change them.</translation>
    </message>
    <message>
        <source>Platines</source>
        <translation>Boards</translation>
    </message>
    <message>
        <source>Les noms n&apos;ont pas pu être enregistrés : %1</source>
        <translation>The names could not be saved: %1</translation>
    </message>
</context>
<context>
    <name>platine::DateField</name>
    <message>
        <source>Choisir le jour dans un calendrier (Alt+Bas)</source>
        <translation>Choose the day in a calendar (Alt+Down)</translation>
    </message>
    <message>
        <source>date illisible (par ex. %1)</source>
        <translation>unreadable date (e.g. %1)</translation>
    </message>
</context>
<context>
    <name>platine::Form2</name>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Le choix de la langue n&apos;a pas pu être gardé : %1</source>
        <translation>The choice of language could not be kept: %1</translation>
    </message>
    <message>
        <source>La fenêtre sera en français au prochain démarrage du programme.</source>
        <translation>The window will be in French from the next start of the program.</translation>
    </message>
    <message>
        <source>La fenêtre sera en anglais au prochain démarrage du programme.</source>
        <translation>The window will be in English from the next start of the program.</translation>
    </message>
    <message>
        <source>Réglages et historique dans : %1</source>
        <translation>Settings and log in: %1</translation>
    </message>
    <message>
        <source>Réglages dans : %1<byte value="xd"/>
Historique et fichiers dans : %2</source>
        <translation>Settings in: %1<byte value="xd"/>
Log and files in: %2</translation>
    </message>
    <message>
        <source>Contrôle d&apos;accès horodaté à badge</source>
        <translation>Time-stamped badge access control</translation>
    </message>
    <message>
        <source>Site auteur : %1 <byte value="xd"/>
%2<byte value="xd"/>
Voulez vous visiter le site de l&apos;auteur ?</source>
        <translation>Author&apos;s site: %1 <byte value="xd"/>
%2<byte value="xd"/>
Do you want to visit the author&apos;s site?</translation>
    </message>
    <message numerus="yes">
        <source>et %n autre(s)</source>
        <translation>
            <numerusform>and %n other</numerusform>
            <numerusform>and %n others</numerusform>
        </translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Aucun badge à retirer : l&apos;enregistrement courant n&apos;est pas dans la liste.</source>
        <translation>No badge to remove: the current record is not in the list.</translation>
    </message>
    <message>
        <source>retrait de badge</source>
        <translation>badge removal</translation>
    </message>
    <message>
        <source>Impossible de lire la liste, aucun badge n&apos;est retiré.<byte value="xd"/>
</source>
        <translation>Cannot read the list, no badge is removed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Le badge %1 n&apos;est plus dans la liste, aucun badge n&apos;est retiré.</source>
        <translation>Badge %1 is no longer in the list, no badge is removed.</translation>
    </message>
    <message>
        <source>Retirer de la liste le badge %1 ?</source>
        <translation>Remove badge %1 from the list?</translation>
    </message>
    <message>
        <source>Retirer de la liste le badge %1 ? Il y figure %2 fois : les %2 sections sont retirées.<byte value="xd"/>
</source>
        <translation>Remove badge %1 from the list? It appears %2 times: the %2 sections are removed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Retirer de la liste les %1 badges suivants ?<byte value="xd"/>
</source>
        <translation>Remove the following %1 badges from the list?<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Retirer de la liste les %1 badges suivants ? Certains y figurent plusieurs fois : les %2 sections sont retirées.<byte value="xd"/>
</source>
        <translation>Remove the following %1 badges from the list? Some appear several times: the %2 sections are removed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire la liste, aucun badge n&apos;est retiré.<byte value="xd"/>
</source>
        <translation>Cannot write the list, no badge is removed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Badge retiré de la liste : %1</source>
        <translation>Badge removed from the list: %1</translation>
    </message>
    <message>
        <source>Badges retirés de la liste : %1</source>
        <translation>Badges removed from the list: %1</translation>
    </message>
    <message>
        <source>modification de badges</source>
        <translation>badge change</translation>
    </message>
    <message>
        <source>Modifier la sélection</source>
        <translation>Change the selection</translation>
    </message>
    <message>
        <source>Impossible de lire la liste, aucun badge n&apos;est modifié.<byte value="xd"/>
</source>
        <translation>Cannot read the list, no badge is changed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Aucun badge n&apos;est modifié.<byte value="xd"/>
</source>
        <translation>No badge is changed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Les badges choisis ont déjà ces valeurs : rien n&apos;est modifié.</source>
        <translation>The chosen badges already have these values: nothing is changed.</translation>
    </message>
    <message>
        <source>Modifier 1 badge de la liste ?</source>
        <translation>Change 1 badge of the list?</translation>
    </message>
    <message>
        <source>Modifier %1 badges de la liste ?</source>
        <translation>Change %1 badges of the list?</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire la liste, aucun badge n&apos;est modifié.<byte value="xd"/>
</source>
        <translation>Cannot write the list, no badge is changed.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Badge(s) modifié(s) : %1</source>
        <translation>Badge(s) changed: %1</translation>
    </message>
    <message>
        <source>envoi de la liste</source>
        <translation>sending the list</translation>
    </message>
    <message>
        <source>téléchargement de l&apos;historique</source>
        <translation>downloading the log</translation>
    </message>
    <message>
        <source>%1 en attente %2 au journal</source>
        <translation>%1 waiting %2 to the journal</translation>
    </message>
    <message numerus="yes">
        <source>%n passage(s)</source>
        <translation>
            <numerusform>%n passage</numerusform>
            <numerusform>%n passages</numerusform>
        </translation>
    </message>
    <message>
        <source>ajoutés</source>
        <translation>added</translation>
    </message>
    <message>
        <source>ajouté</source>
        <translation>added</translation>
    </message>
    <message>
        <source>Des passages attendent dans « %1 » : le journal n&apos;a pas pu les prendre (%2) ; ils y seront ajoutés au prochain téléchargement</source>
        <translation>Passages are waiting in &quot;%1&quot;: the journal could not take them (%2); they will be added at the next download</translation>
    </message>
    <message>
        <source>mise à l&apos;heure</source>
        <translation>clock setting</translation>
    </message>
    <message>
        <source>lecture de badge</source>
        <translation>badge reading</translation>
    </message>
    <message>
        <source>Badge N°:%1</source>
        <translation>Badge no.:%1</translation>
    </message>
    <message>
        <source>Numéro de badge lu :%1<byte value="xd"/>
</source>
        <translation>Badge number read:%1<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>commande %1</source>
        <translation>command %1</translation>
    </message>
    <message>
        <source>Raz eeprom externe : clic gauche = efface l&apos;historique, clic droit = efface tout ; rien n&apos;a été envoyé</source>
        <translation>Erase external EEPROM: left click = erase the log, right click = erase all; nothing was sent</translation>
    </message>
    <message>
        <source>sans numéro</source>
        <translation>without number</translation>
    </message>
    <message>
        <source>Modifications non enregistrées</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>Enregistrer les modifications du badge %1 ?</source>
        <translation>Save the changes to badge %1?</translation>
    </message>
    <message>
        <source>Mode enregistrement</source>
        <translation>Record mode</translation>
    </message>
    <message>
        <source>Nouveau badge à mémoriser</source>
        <translation>New badge to store</translation>
    </message>
    <message>
        <source>Badge lu<byte value="xd"/>
Une fois les champs renseignés cliquer sur le bouton &apos;Enregistrer&apos;</source>
        <translation>Badge read<byte value="xd"/>
Once the fields are filled in, click the &apos;Save&apos; button</translation>
    </message>
    <message>
        <source>La liste est vide : aucun badge n&apos;a encore été lu.</source>
        <translation>The list is empty: no badge has been read yet.</translation>
    </message>
    <message>
        <source>Indiquer le numéro de<byte value="xd"/>
 badge à rechercher dans la liste</source>
        <translation>Enter the number of the<byte value="xd"/>
 badge to find in the list</translation>
    </message>
    <message>
        <source>recherche de badge</source>
        <translation>badge search</translation>
    </message>
    <message>
        <source>Indiquer le nom à <byte value="xd"/>
rechercher dans la liste</source>
        <translation>Enter the name to <byte value="xd"/>
find in the list</translation>
    </message>
    <message>
        <source>recherche de nom</source>
        <translation>name search</translation>
    </message>
    <message>
        <source>Aucun badge ne correspond à « %1 »</source>
        <translation>No badge matches &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Ouvrir une liste enregistrée</source>
        <translation>Open a saved list</translation>
    </message>
    <message>
        <source>La liste a été modifiée hors du programme depuis son ouverture (« %1 »).<byte value="xd"/>
</source>
        <translation>The list was changed outside the program since it was opened (&quot;%1&quot;).<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Fichier en cours :%1</source>
        <translation>Current file:%1</translation>
    </message>
    <message>
        <source>Vous devez ouvrir une liste avant<byte value="xd"/>
d&apos;effectuer des modifications</source>
        <translation>You must open a list before<byte value="xd"/>
making changes</translation>
    </message>
    <message>
        <source>Lecture de la liste</source>
        <translation>Reading the list</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir la liste.<byte value="xd"/>
</source>
        <translation>Cannot open the list.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Impossible de lire le tableau.<byte value="xd"/>
</source>
        <translation>Cannot read the table.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Le tableau n&apos;a pas été lu, aucune liste n&apos;a été écrite :</source>
        <translation>The table was not read, no list was written:</translation>
    </message>
    <message>
        <source><byte value="xd"/>
… et %1 autres (la liste entière est dans la fenêtre)</source>
        <translation><byte value="xd"/>
… and %1 more (the whole list is in the window)</translation>
    </message>
    <message>
        <source>La liste « %1 » existe déjà.<byte value="xd"/>
La remplacer par celle du tableau ?</source>
        <translation>The list &quot;%1&quot; already exists.<byte value="xd"/>
Replace it with the table&apos;s?</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire la liste « %1 ».<byte value="xd"/>
</source>
        <translation>Cannot write the list &quot;%1&quot;.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Numéros de badge complétés par des zéros à gauche :</source>
        <translation>Badge numbers padded with zeros on the left:</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Ligne %1 : « %2 » devient %3</source>
        <translation><byte value="xd"/>
Line %1: &quot;%2&quot; becomes %3</translation>
    </message>
    <message>
        <source>Le fichier « %1 » existe déjà.<byte value="xd"/>
Le remplacer ?</source>
        <translation>The file &quot;%1&quot; already exists.<byte value="xd"/>
Replace it?</translation>
    </message>
    <message>
        <source>Nouvelle liste</source>
        <translation>New list</translation>
    </message>
    <message>
        <source>Impossible de créer la liste.<byte value="xd"/>
</source>
        <translation>Cannot create the list.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Enregistrer une liste sous</source>
        <translation>Save a list as</translation>
    </message>
    <message>
        <source>La remplacer quand même ? Les changements faits hors du programme seront perdus.</source>
        <translation>Replace it anyway? The changes made outside the program will be lost.</translation>
    </message>
    <message>
        <source>Rien n&apos;a été enregistré : la liste a été modifiée hors du programme</source>
        <translation>Nothing was saved: the list was changed outside the program</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer le tableau.<byte value="xd"/>
</source>
        <translation>Cannot save the table.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la liste.<byte value="xd"/>
</source>
        <translation>Cannot save the list.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Liste en cours enregistrée dans « %1 »</source>
        <translation>Current list saved in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Copie enregistrée dans « %1 » ; la liste en cours reste « %2 »</source>
        <translation>Copy saved in &quot;%1&quot;; the current list stays &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Le badge n&apos;est pas enregistré.</source>
        <translation>The badge is not saved.</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Enregistrer quand même le badge %1 ? Les autres changements faits hors du programme sont gardés.</source>
        <translation>Save badge %1 anyway? The other changes made outside the program are kept.</translation>
    </message>
    <message>
        <source>Badge non enregistré : la liste a été modifiée hors du programme</source>
        <translation>Badge not saved: the list was changed outside the program</translation>
    </message>
    <message>
        <source>Le badge n&apos;est pas enregistré.<byte value="xd"/>
</source>
        <translation>The badge is not saved.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Enregistrement effectué</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>Autre copie du programme</source>
        <translation>Another copy of the program</translation>
    </message>
    <message>
        <source>Une autre copie du programme est déjà ouverte sur le dossier %1 (%2).<byte value="xd"/>
Les deux copies partagent ses fichiers (historique, réglages, journal) : n&apos;utilisez la platine que depuis l&apos;une d&apos;elles.</source>
        <translation>Another copy of the program is already open on the folder %1 (%2).<byte value="xd"/>
Both copies share its files (log, settings, journal): use the board from one of them only.</translation>
    </message>
    <message>
        <source>Fabricant : %1</source>
        <translation>Manufacturer: %1</translation>
    </message>
    <message>
        <source>Produit : %1</source>
        <translation>Product: %1</translation>
    </message>
    <message>
        <source>Numéro de série : %1</source>
        <translation>Serial number: %1</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Les réglages (port et temporisation) n&apos;ont pas pu être enregistrés :<byte value="xd"/>
%1</source>
        <translation>The settings (port and delay) could not be saved:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Journal des passages : %1</source>
        <translation>Journal of passages: %1</translation>
    </message>
    <message>
        <source>Horloge de la platine</source>
        <translation>Board&apos;s clock</translation>
    </message>
    <message numerus="yes">
        <source>Des passages téléchargés sont datés de %n minute(s) après l&apos;heure du PC : l&apos;horloge de la platine « %1 » semble en avance.<byte value="xd"/>
Faire la mise à l&apos;heure de la platine maintenant ?</source>
        <translation>
            <numerusform>Downloaded passages are dated %n minute after the PC&apos;s time: the clock of the board &quot;%1&quot; seems fast.<byte value="xd"/>
Set the board&apos;s clock now?</numerusform>
            <numerusform>Downloaded passages are dated %n minutes after the PC&apos;s time: the clock of the board &quot;%1&quot; seems fast.<byte value="xd"/>
Set the board&apos;s clock now?</numerusform>
        </translation>
    </message>
    <message>
        <source>La date de cette mise à l&apos;heure n&apos;a pas pu être gardée : %1</source>
        <translation>The date of this clock setting could not be kept: %1</translation>
    </message>
    <message>
        <source>« %1 » (le %2)</source>
        <translation>&quot;%1&quot; (on %2)</translation>
    </message>
    <message>
        <source>Changement d&apos;heure depuis la dernière mise à l&apos;heure de %1 : refaire « Mise à l&apos;heure » sur cette platine</source>
        <translation>The time changed since the last clock setting of %1: run &quot;Set clock&quot; on this board again</translation>
    </message>
    <message>
        <source>Récupérer tout l&apos;historique</source>
        <translation>Recover the whole log</translation>
    </message>
    <message>
        <source>La platine va renvoyer tout son historique depuis le début : le programme lui envoie « raz_offset », puis lance le téléchargement de l&apos;historique (appuyer sur bp3 quand il le demande).<byte value="xd"/>
Le journal des passages ne prend que les passages qu&apos;il n&apos;a pas encore : rien n&apos;est compté deux fois.<byte value="xd"/>
Continuer ?</source>
        <translation>The board will send its whole log again from the start: the program sends it &quot;raz_offset&quot;, then starts the download of the log (press bp3 when asked).<byte value="xd"/>
The journal of passages takes only the passages it does not have yet: nothing is counted twice.<byte value="xd"/>
Continue?</translation>
    </message>
    <message>
        <source>récupération de l&apos;historique</source>
        <translation>recovery of the log</translation>
    </message>
    <message>
        <source>le %1</source>
        <translation>on %1</translation>
    </message>
    <message>
        <source>le %1 à %2</source>
        <translation>on %1 at %2</translation>
    </message>
    <message>
        <source>Envoi programmation</source>
        <translation>Send list</translation>
    </message>
    <message>
        <source>Ce que la platine « %1 » a reçu n&apos;a pas pu être noté (%2) : la colonne « Platine » et l&apos;état de la liste ne le montreront pas.</source>
        <translation>What the board &quot;%1&quot; received could not be noted (%2): the &quot;Board&quot; column and the list&apos;s state will not show it.</translation>
    </message>
    <message>
        <source>%1 badge expiré ne sera pas envoyé : %2</source>
        <translation>%1 expired badge will not be sent: %2</translation>
    </message>
    <message>
        <source>%1 badges expirés ne seront pas envoyés : %2</source>
        <translation>%1 expired badges will not be sent: %2</translation>
    </message>
    <message>
        <source>%1 badge pas encore valide ne sera pas envoyé : %2</source>
        <translation>%1 badge not valid yet will not be sent: %2</translation>
    </message>
    <message>
        <source>%1 badges pas encore valides ne seront pas envoyés : %2</source>
        <translation>%1 badges not valid yet will not be sent: %2</translation>
    </message>
    <message>
        <source>Platine « %1 » sur %2</source>
        <translation>Board &quot;%1&quot; on %2</translation>
    </message>
    <message>
        <source>liste jamais envoyée à cette platine</source>
        <translation>list never sent to this board</translation>
    </message>
    <message>
        <source>contenu de « %1 » inconnu : l&apos;envoi commencé %2 ne s&apos;est pas terminé ; envoyez la liste de nouveau</source>
        <translation>contents of &quot;%1&quot; unknown: the upload begun %2 did not finish; send the list again</translation>
    </message>
    <message>
        <source>« %1 » a reçu une autre liste (%2) %3</source>
        <translation>&quot;%1&quot; received another list (%2) %3</translation>
    </message>
    <message>
        <source>liste à jour sur « %1 » — dernier envoi %2</source>
        <translation>list up to date on &quot;%1&quot; — last upload %2</translation>
    </message>
    <message>
        <source>%1 changement pas encore envoyé à « %2 » — dernier envoi %3</source>
        <translation>%1 change not sent yet to &quot;%2&quot; — last upload %3</translation>
    </message>
    <message>
        <source>%1 changements pas encore envoyés à « %2 » — dernier envoi %3</source>
        <translation>%1 changes not sent yet to &quot;%2&quot; — last upload %3</translation>
    </message>
    <message>
        <source>%1 badge expiré encore actif sur « %2 » : %3</source>
        <translation>%1 expired badge still active on &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>%1 badges expirés encore actifs sur « %2 » : %3</source>
        <translation>%1 expired badges still active on &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>Envoyez la liste à la platine pour les retirer.</source>
        <translation>Send the list to the board to remove them.</translation>
    </message>
    <message>
        <source>Des badges retirés de la liste sont encore actifs sur %1 : ils ouvrent la porte tant que la liste n&apos;est pas envoyée (« Envoi programmation »).<byte value="xd"/>
Quitter quand même ?</source>
        <translation>Badges taken off the list are still active on %1: they open the door until the list is sent (&quot;Send list&quot;).<byte value="xd"/>
Quit anyway?</translation>
    </message>
    <message>
        <source>dd/MM/yyyy à HH:mm</source>
        <extracomment>A date format (QDateTime): the letters are fields, quoted text stays.</extracomment>
        <translation>dd/MM/yyyy &apos;at&apos; HH:mm</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>« %1 »</source>
        <translation>&quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>platine::JournalWindow</name>
    <message>
        <source>Journal des passages</source>
        <translation>Journal of passages</translation>
    </message>
    <message>
        <source>N° du badge ou nom</source>
        <translation>Badge no. or name</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Du</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Au</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Lieu</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Passages</source>
        <translation>Passages</translation>
    </message>
    <message>
        <source>Une journée de travail va de cette heure à la même heure le lendemain et porte la date de son début (équipes de nuit)</source>
        <translation>A working day runs from this time to the same time the next day and bears the date of its start (night shifts)</translation>
    </message>
    <message>
        <source>Début de journée</source>
        <translation>Start of day</translation>
    </message>
    <message>
        <source>Présences</source>
        <translation>Attendance</translation>
    </message>
    <message>
        <source>Exporter…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>PDF…</source>
        <translation>PDF…</translation>
    </message>
    <message>
        <source>Imprimer…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Lecture du journal des passages…</source>
        <translation>Reading the journal of passages…</translation>
    </message>
    <message>
        <source>Tous les lieux</source>
        <translation>All places</translation>
    </message>
    <message>
        <source>%1 jour(s) de présence, %2 titulaire(s)</source>
        <translation>%1 day(s) present, %2 holder(s)</translation>
    </message>
    <message numerus="yes">
        <source>%n passage(s) sur %1</source>
        <translation>
            <numerusform>%n passage of %1</numerusform>
            <numerusform>%n passages of %1</numerusform>
        </translation>
    </message>
    <message>
        <source>, dont 1 ligne illisible</source>
        <translation>, 1 of them an unreadable line</translation>
    </message>
    <message>
        <source>, dont %1 lignes illisibles</source>
        <translation>, %1 of them unreadable lines</translation>
    </message>
    <message>
        <source> ; %1 nom(s) en italique absents de leur ligne du journal (repris du journal ou de la liste ouverte)</source>
        <translation>; %1 name(s) in italics missing from their journal line (taken from the journal or the open list)</translation>
    </message>
    <message>
        <source> ; lecture du journal annulée : aucun passage n&apos;est lu</source>
        <translation>; journal reading cancelled: no passage is read</translation>
    </message>
    <message>
        <source> ; lecture du journal annulée : les passages montrés sont ceux de la lecture précédente</source>
        <translation>; journal reading cancelled: the passages shown are those of the previous reading</translation>
    </message>
    <message>
        <source> (&lt;a href=&quot;relire&quot;&gt;relire le journal&lt;/a&gt;)</source>
        <translation> (&lt;a href=&quot;relire&quot;&gt;read the journal again&lt;/a&gt;)</translation>
    </message>
    <message>
        <source>le type de fichier « %1 » n&apos;est pas connu : choisir un nom en %2</source>
        <translation>the file type &quot;%1&quot; is not known: choose a name ending in %2</translation>
    </message>
    <message>
        <source>sans extension</source>
        <translation>without extension</translation>
    </message>
    <message>
        <source>journal des passages</source>
        <translation>journal of passages</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Opérations</source>
        <translation>Operations</translation>
    </message>
    <message>
        <source> ; le journal dépasse 4 Gio : il n&apos;est pas lu</source>
        <translation>; the journal is over 4 GiB: it is not read</translation>
    </message>
    <message>
        <source>journal des opérations</source>
        <translation>journal of operations</translation>
    </message>
</context>
<context>
    <name>platine::Line</name>
    <message>
        <source>port absent (%1)</source>
        <translation>port missing (%1)</translation>
    </message>
    <message>
        <source>déjà utilisé par un autre programme</source>
        <translation>already used by another program</translation>
    </message>
    <message>
        <source>accès refusé (%1)</source>
        <translation>access denied (%1)</translation>
    </message>
    <message>
        <source>ouverture impossible</source>
        <translation>cannot open</translation>
    </message>
    <message>
        <source>Port %1 indisponible : %2</source>
        <translation>Port %1 unavailable: %2</translation>
    </message>
    <message>
        <source> ; ajoutez votre compte au groupe « %1 » (sudo usermod -aG %1 $USER) puis ouvrez une nouvelle session</source>
        <translation>; add your account to the group &quot;%1&quot; (sudo usermod -aG %1 $USER), then open a new session</translation>
    </message>
    <message>
        <source> ; un administrateur doit vous donner accès à %1</source>
        <translation>; an administrator must give you access to %1</translation>
    </message>
    <message>
        <source>Port %1 fermé : rien n&apos;a été envoyé</source>
        <translation>Port %1 closed: nothing was sent</translation>
    </message>
    <message>
        <source>Port %1 : envoi impossible (%2)</source>
        <translation>Port %1: cannot send (%2)</translation>
    </message>
    <message>
        <source>Port %1 perdu : %2</source>
        <translation>Port %1 lost: %2</translation>
    </message>
    <message>
        <source>Opération refusée : %1 en cours</source>
        <translation>Operation refused: %1 under way</translation>
    </message>
</context>
<context>
    <name>platine::OperationsTab</name>
    <message>
        <source> ; le journal des opérations n&apos;a pas pu être lu : %1</source>
        <translation>; the journal of operations could not be read: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n opération(s) sur %1</source>
        <translation>
            <numerusform>%n operation of %1</numerusform>
            <numerusform>%n operations of %1</numerusform>
        </translation>
    </message>
</context>
</TS>
