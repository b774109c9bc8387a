#pragma once

#include "Message.h"

#include <span>

// Every user-visible text of the program, each in English, German, French and Esperanto
// (slot order of TLanguage). The English texts are kept exactly as the program has always shown
// them, including their quirks: other code and peers identify a message by its English text.
// Multi-line texts hold real CR LF pairs. Esperanto is written in ASCII with the "h" convention
// (ch, gh, hh, jh, sh; u for u-breve).
//
// "MAPI", "SMTP", "HTTP" and the hyperlink button letter "H" carry English only: an empty slot
// shows the English text. "Sealvane", "Outlook..." and the resource name "Splash" read the same
// in every language.
namespace msg {

// The texts are laid out by hand (one slot per line, long texts split after each line break).
// clang-format off
inline constexpr TMessage About{{"About...", "Über...", "À propos de...", "Pri..."}};
inline constexpr TMessage AboutSealvane{{"About Sealvane", "Über Sealvane", "À propos de Sealvane", "Pri Sealvane"}};
inline constexpr TMessage AddEllipsis{{"Add...", "Hinzufügen...", "Ajouter...", "Aldoni..."}};
inline constexpr TMessage AddAttachmentsEllipsis{{
    "Add attachments...",
    "Anhänge hinzufügen...",
    "Ajouter des pièces jointes...",
    "Aldoni aldonajhojn..."}};
inline constexpr TMessage AddAttachmentsHint{{
    "Add attachments to this container",
    "Anhänge zu diesem Container hinzufügen",
    "Ajouter des pièces jointes à ce container",
    "Aldoni aldonajhojn al tiu chi kontenero"}};
inline constexpr TMessage AddOrDropFilesHere{{
    "Add or drop files here",
    "Dateien hier hinzufügen oder ablegen",
    "Ajoutez ou déposez des fichiers ici",
    "Aldonu au demetu dosierojn chi tie"}};
inline constexpr TMessage FilterAllFiles{{
    "All files (*.*)|*.*",
    "Alle Dateien (*.*)|*.*",
    "Tous les fichiers (*.*)|*.*",
    "Chiuj dosieroj (*.*)|*.*"}};
inline constexpr TMessage Attachments{{"Attachments", "Anhänge", "Pièces jointes", "Aldonajhoj"}};
inline constexpr TMessage AttachmentsInEncryptedContainer{{
    "Attachments in encrypted container",
    "Anhänge im verschlüsselten Container",
    "Pièces jointes dans le container chiffré",
    "Aldonajhoj en chifrita kontenero"}};
inline constexpr TMessage AttemptedAppendToClosed{{
    "Attempted append file '%s' to closed container '%s'!",
    "Versuch, Datei '%s' an geschlossenen Container '%s' anzuhängen!",
    "Tentative d'ajout du fichier '%s' au container fermé '%s'!",
    "Provo aldoni dosieron '%s' al fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedAppendToReadOnly{{
    "Attempted append file '%s' to read only container '%s'!",
    "Versuch, Datei '%s' an schreibgeschützten Container '%s' anzuhängen!",
    "Tentative d'ajout du fichier '%s' au container en lecture seule '%s'!",
    "Provo aldoni dosieron '%s' al nur legebla kontenero '%s'!"}};
inline constexpr TMessage AttemptedDeleteInClosed{{
    "Attempted delete file '%d' in closed container '%s'!",
    "Versuch, Datei '%d' in geschlossenem Container '%s' zu löschen!",
    "Tentative de suppression du fichier '%d' dans le container fermé '%s'!",
    "Provo forigi dosieron '%d' en fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedDeleteInReadOnly{{
    "Attempted delete file '%d' in read only container '%s'!",
    "Versuch, Datei '%d' in schreibgeschütztem Container '%s' zu löschen!",
    "Tentative de suppression du fichier '%d' dans le container en lecture seule '%s'!",
    "Provo forigi dosieron '%d' en nur legebla kontenero '%s'!"}};
inline constexpr TMessage AttemptedExtractFromClosed{{
    "Attempted extract file '%d' from closed container '%s'!",
    "Versuch, Datei '%d' aus geschlossenem Container '%s' zu extrahieren!",
    "Tentative d'extraction du fichier '%d' du container fermé '%s'!",
    "Provo eltiri dosieron '%d' el fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedGetExtraOnClosed{{
    "Attempted get Extra on closed container '%s'!",
    "Versuch, Extra aus geschlossenem Container '%s' zu lesen!",
    "Tentative de lire Extra dans le container fermé '%s'!",
    "Provo legi Extra el fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedGetMemoOnClosed{{
    "Attempted get Memo on closed container '%s'!",
    "Versuch, Memo aus geschlossenem Container '%s' zu lesen!",
    "Tentative de lire Memo dans le container fermé '%s'!",
    "Provo legi Memo el fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedOpenNewOnOpened{{
    "Attempted open new on already opened container '%s'!",
    "Versuch, bereits geöffneten Container '%s' als neuen Container zu öffnen!",
    "Tentative d'ouvrir comme nouveau le container déjà ouvert '%s'!",
    "Provo malfermi kiel novan la jam malfermitan konteneron '%s'!"}};
inline constexpr TMessage AttemptedOpenOnOpened{{
    "Attempted open on already opened container '%s'!",
    "Versuch, bereits geöffneten Container '%s' erneut zu öffnen!",
    "Tentative d'ouvrir le container déjà ouvert '%s'!",
    "Provo malfermi la jam malfermitan konteneron '%s'!"}};
inline constexpr TMessage AttemptedReadCatalogOnClosed{{
    "Attempted read catalog on closed container '%s'!",
    "Versuch, Katalog aus geschlossenem Container '%s' zu lesen!",
    "Tentative de lire le catalogue du container fermé '%s'!",
    "Provo legi katalogon el fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedReadZombieCounterFromClosed{{
    "Attempted read zombie byte counter from closed container '%s'!",
    "Versuch, Zombie-Bytezähler aus geschlossenem Container '%s' zu lesen!",
    "Tentative de lire le compteur d'octets zombies du container fermé '%s'!",
    "Provo legi nombrilon de zombiaj bajtoj el fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedRegenCatalogInClosed{{
    "Attempted regen catalog in closed container '%s'!",
    "Versuch, Katalog in geschlossenem Container '%s' neu zu erstellen!",
    "Tentative de régénérer le catalogue dans le container fermé '%s'!",
    "Provo regeneri katalogon en fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedSetExtraInClosed{{
    "Attempted set Extra in closed container '%s'!",
    "Versuch, Extra in geschlossenem Container '%s' zu setzen!",
    "Tentative de définir Extra dans le container fermé '%s'!",
    "Provo meti Extra en fermita kontenero '%s'!"}};
inline constexpr TMessage AttemptedSetMemoInClosed{{
    "Attempted set Memo in closed container '%s'!",
    "Versuch, Memo in geschlossenem Container '%s' zu setzen!",
    "Tentative de définir Memo dans le container fermé '%s'!",
    "Provo meti Memo en fermita kontenero '%s'!"}};
inline constexpr TMessage AutoUpdateLocalInstallation{{
    "Auto update local Sealvane installation",
    "Lokale Sealvane-Installation automatisch aktualisieren",
    "Mise à jour automatique de l'installation locale de Sealvane",
    "Automata ghisdatigo de loka Sealvane-instalajho"}};
inline constexpr TMessage QualityBad{{"bad", "schlecht", "mauvaise", "malbona"}};
inline constexpr TMessage BaseFolderNotInPath{{
    "Base folder '%s' not in file path '%s'!",
    "Basisordner '%s' ist nicht im Dateipfad '%s' enthalten!",
    "Le dossier de base '%s' ne figure pas dans le chemin de fichier '%s'!",
    "Baza dosierujo '%s' ne estas en dosiervojo '%s'!"}};
inline constexpr TMessage BuildNumber{{
    "Build number: %s",
    "Build-Nummer: %s",
    "Numéro de build: %s",
    "Kompilnumero: %s"}};
inline constexpr TMessage Bytes{{"Bytes", "Bytes", "Octets", "Bajtoj"}};
inline constexpr TMessage Cancel{{"Cancel", "Abbrechen", "Annuler", "Nuligi"}};
inline constexpr TMessage CannotDetectOutlook{{
    "Cannot detect your Outlook application. If you use a different mail application please drop the container attachment on the Sealvane window",
    "Ihre Outlook-Anwendung wurde nicht gefunden. Wenn Sie ein anderes E-Mail-Programm verwenden, ziehen Sie den Container-Anhang bitte auf das Sealvane-Fenster",
    "Impossible de détecter votre application Outlook. Si vous utilisez une autre application de messagerie, veuillez déposer la pièce jointe container sur la fenêtre de Sealvane",
    "Ne eblas trovi vian Outlook-aplikajhon. Se vi uzas alian retposhtan aplikajhon, bonvolu demeti la kontenero-aldonajhon sur la Sealvane-fenestron"}};
inline constexpr TMessage CannotWipeFile{{
    "Cannot wipe file '%s'!",
    "Datei '%s' kann nicht sicher gelöscht werden!",
    "Impossible d'effacer de manière sécurisée le fichier '%s'!",
    "Ne eblas forvishi dosieron '%s'!"}};
inline constexpr TMessage ChangePassword{{
    "Change password...",
    "Passwort ändern...",
    "Changer le mot de passe...",
    "Shanghi pasvorton..."}};
inline constexpr TMessage CheckOutlookAtStartup{{
    "Check for Outlook container at program start-up",
    "Beim Programmstart nach Outlook-Container suchen",
    "Rechercher un container Outlook au démarrage du programme",
    "Serchi Outlook-konteneron che lanchigho de la programo"}};
inline constexpr TMessage Close{{"Close", "Schließen", "Fermer", "Fermi"}};
inline constexpr TMessage CloseContainer{{
    "Close container",
    "Container schließen",
    "Fermer le container",
    "Fermi konteneron"}};
inline constexpr TMessage CloseContainerOnMailing{{
    "Close container on mailing",
    "Container beim Versenden schließen",
    "Fermer le container lors de l'envoi",
    "Fermi konteneron che sendado"}};
inline constexpr TMessage CloseReceivedAfterAnswering{{
    "Close received container after answering",
    "Empfangenen Container nach dem Antworten schließen",
    "Fermer le container reçu après la réponse",
    "Fermi ricevitan konteneron post respondo"}};
inline constexpr TMessage CloseThisContainer{{
    "Close this container",
    "Diesen Container schließen",
    "Fermer ce container",
    "Fermi tiun chi konteneron"}};
inline constexpr TMessage CloseThisForm{{
    "Close this form",
    "Dieses Fenster schließen",
    "Fermer cette fenêtre",
    "Fermi tiun chi fenestron"}};
inline constexpr TMessage Confirm{{"Confirm:", "Bestätigen:", "Confirmer:", "Konfirmi:"}};
inline constexpr TMessage Container{{"Container", "Container", "Container", "Kontenero"}};
inline constexpr TMessage FilterContainerFiles{{
    "Container files (*.%0:s)|*.%0:s",
    "Container-Dateien (*.%0:s)|*.%0:s",
    "Fichiers container (*.%0:s)|*.%0:s",
    "Konteneraj dosieroj (*.%0:s)|*.%0:s"}};
inline constexpr TMessage ContainerNotFound{{
    "Container '%s' not found!",
    "Container '%s' nicht gefunden!",
    "Container '%s' introuvable!",
    "Kontenero '%s' ne trovita!"}};
inline constexpr TMessage ContainerNotSaved{{
    "Container '%s' is not saved. Do you want to save it now?",
    "Container '%s' wurde nicht gesichert. Möchten Sie diesen jetzt sichern?",
    "Container '%s' non sauvegardé. Voulez-vous le sauvegarder maintenant?",
    "Kontenero '%s' ne sekurigita. Chu vi volas sekurigi tiun nun?"}};
inline constexpr TMessage ContainerReadOnlySamePassword{{
    "Container is read only. Same password will be used!",
    "Der Container ist schreibgeschützt. Das gleiche Passwort wird verwendet!",
    "Le container est en lecture seule. Le même mot de passe sera utilisé!",
    "La kontenero estas nur legebla. La sama pasvorto estos uzata!"}};
inline constexpr TMessage Contents{{"Contents...", "Inhalt...", "Sommaire...", "Enhavo..."}};
inline constexpr TMessage CouldNotAllocateMemory{{
    "Could not allocate memory!",
    "Speicher konnte nicht reserviert werden!",
    "Impossible d'allouer de la mémoire!",
    "Ne eblis rezervi memoron!"}};
inline constexpr TMessage CreateNewContainerHint{{
    "Create a new container",
    "Einen neuen Container erstellen",
    "Créer un nouveau container",
    "Krei novan konteneron"}};
inline constexpr TMessage CreateNewContainer{{
    "Create new container...",
    "Neuen Container erstellen...",
    "Créer un nouveau container...",
    "Krei novan konteneron..."}};
inline constexpr TMessage CreateReplyContainerHint{{
    "Create a new reply container based on this container",
    "Einen neuen Antwort-Container auf Basis dieses Containers erstellen",
    "Créer un nouveau container de réponse basé sur ce container",
    "Krei novan respondan konteneron surbaze de tiu chi kontenero"}};
inline constexpr TMessage DefaultContainerName{{
    "Default container name:",
    "Standard-Containername:",
    "Nom de container par défaut:",
    "Implicita kontenernomo:"}};
inline constexpr TMessage DefaultFolder{{
    "Default folder:",
    "Standardordner:",
    "Dossier par défaut:",
    "Implicita dosierujo:"}};
inline constexpr TMessage Delete{{"Delete", "Löschen", "Supprimer", "Forigi"}};
inline constexpr TMessage DeleteAttachments{{
    "Delete attachments",
    "Anhänge löschen",
    "Supprimer les pièces jointes",
    "Forigi aldonajhojn"}};
inline constexpr TMessage DeleteSelectedAttachments{{
    "Delete selected attachments...",
    "Ausgewählte Anhänge löschen...",
    "Supprimer les pièces jointes sélectionnées...",
    "Forigi elektitajn aldonajhojn..."}};
inline constexpr TMessage DeleteSelectedAttachmentsConfirm{{
    "Delete selected attachments. Are you sure?",
    "Ausgewählte Anhänge löschen. Sind Sie sicher?",
    "Supprimer les pièces jointes sélectionnées. Êtes-vous sûr?",
    "Forigi elektitajn aldonajhojn. Chu vi certas?"}};
inline constexpr TMessage DeleteSelectedAttachmentsHint{{
    "Delete selected attachments from this container",
    "Ausgewählte Anhänge aus diesem Container löschen",
    "Supprimer les pièces jointes sélectionnées de ce container",
    "Forigi elektitajn aldonajhojn el tiu chi kontenero"}};
inline constexpr TMessage DisplayLargeSymbols{{
    "Display attachments as large symbols",
    "Anhänge als große Symbole anzeigen",
    "Afficher les pièces jointes en grandes icônes",
    "Montri aldonajhojn kiel grandajn simbolojn"}};
inline constexpr TMessage DisplayDetailView{{
    "Display attachments as detail view",
    "Anhänge als Detailansicht anzeigen",
    "Afficher les pièces jointes en vue détaillée",
    "Montri aldonajhojn en detala vido"}};
inline constexpr TMessage DownloadSetupVersion{{
    "Download a free setup version...",
    "Kostenlose Installationsversion herunterladen...",
    "Télécharger une version d'installation gratuite...",
    "Elshuti senpagan instalversion..."}};
inline constexpr TMessage DropFilesTextOrContainer{{
    "Drop files, text or container here",
    "Dateien, Text oder Container hier ablegen",
    "Déposez ici des fichiers, du texte ou un container",
    "Demetu dosierojn, tekston au konteneron chi tie"}};
inline constexpr TMessage English{{"English", "Englisch", "Anglais", "Angla"}};
inline constexpr TMessage Error{{"Error", "Fehler", "Erreur", "Eraro"}};
inline constexpr TMessage ErrorCreatingDropZone{{
    "Error on creating drop zone",
    "Fehler beim Erstellen der Ablagezone",
    "Erreur lors de la création de la zone de dépôt",
    "Eraro dum kreado de la demetejo"}};
inline constexpr TMessage ErrorSendingMail{{
    "Error on sending mail",
    "Fehler beim Senden der E-Mail",
    "Erreur lors de l'envoi du courriel",
    "Eraro dum sendado de retposhto"}};
inline constexpr TMessage Esperanto{{"Esperanto", "Esperanto", "Espéranto", "Esperanto"}};
inline constexpr TMessage ExtractEllipsis{{"Extract...", "Extrahieren...", "Extraire...", "Eltiri..."}};
inline constexpr TMessage ExtractAllEllipsis{{
    "Extract all...",
    "Alle extrahieren...",
    "Tout extraire...",
    "Eltiri chion..."}};
inline constexpr TMessage ExtractAllAttachments{{
    "Extract all attachments...",
    "Alle Anhänge extrahieren...",
    "Extraire toutes les pièces jointes...",
    "Eltiri chiujn aldonajhojn..."}};
inline constexpr TMessage ExtractText{{
    "Extract text...",
    "Text extrahieren...",
    "Extraire le texte...",
    "Eltiri tekston..."}};
inline constexpr TMessage ExtractTextAndAttachmentsHint{{
    "Extract the text and attachments to folder",
    "Text und Anhänge in einen Ordner extrahieren",
    "Extraire le texte et les pièces jointes dans un dossier",
    "Eltiri la tekston kaj la aldonajhojn en dosierujon"}};
inline constexpr TMessage ExtractTextAndAttachments{{
    "Extract text and attachments...",
    "Text und Anhänge extrahieren...",
    "Extraire le texte et les pièces jointes...",
    "Eltiri tekston kaj aldonajhojn..."}};
inline constexpr TMessage ExtractTextHint{{
    "Extract the text to file",
    "Text in eine Datei extrahieren",
    "Extraire le texte dans un fichier",
    "Eltiri la tekston en dosieron"}};
inline constexpr TMessage ExtractSelectedAttachments{{
    "Extract selected attachments...",
    "Ausgewählte Anhänge extrahieren...",
    "Extraire les pièces jointes sélectionnées...",
    "Eltiri elektitajn aldonajhojn..."}};
inline constexpr TMessage ExtractSelectedAttachmentsHint{{
    "Extract selected attachments to folder",
    "Ausgewählte Anhänge in einen Ordner extrahieren",
    "Extraire les pièces jointes sélectionnées dans un dossier",
    "Eltiri elektitajn aldonajhojn en dosierujon"}};
inline constexpr TMessage FileIndexOutOfBounds{{
    "File index '%d' out of bounds!",
    "Dateiindex '%d' außerhalb des gültigen Bereichs!",
    "Index de fichier '%d' hors limites!",
    "Dosierindekso '%d' ekster la limoj!"}};
inline constexpr TMessage Filename{{"Filename", "Dateiname", "Nom de fichier", "Dosiernomo"}};
inline constexpr TMessage FileNotFound{{
    "File '%s' not found!",
    "Datei '%s' nicht gefunden!",
    "Fichier '%s' introuvable!",
    "Dosiero '%s' ne trovita!"}};
inline constexpr TMessage FileReadOnlyCannotOverwrite{{
    "File '%s' is read only! Cannot open for overwrite.",
    "Die Datei '%s' ist schreibgeschützt! Sie kann nicht zum Überschreiben geöffnet werden.",
    "Le fichier '%s' est en lecture seule! Impossible de l'ouvrir pour l'écraser.",
    "Dosiero '%s' estas nur legebla! Ne eblas malfermi ghin por superskribi."}};
inline constexpr TMessage FileWillBeWipedConfirm{{
    "File '%s' will be wiped and deleted. Are you sure?",
    "Die Datei '%s' wird sicher gelöscht. Sind Sie sicher?",
    "Le fichier '%s' sera effacé de manière sécurisée et supprimé. Êtes-vous sûr?",
    "Dosiero '%s' estos forvishita kaj forigita. Chu vi certas?"}};
inline constexpr TMessage Forward{{"Forward...", "Weiterleiten...", "Transférer...", "Plusendi..."}};
inline constexpr TMessage French{{"French", "Französisch", "Français", "Franca"}};
inline constexpr TMessage General{{"General", "Allgemein", "Général", "Gheneralaj"}};
inline constexpr TMessage German{{"German", "Deutsch", "Allemand", "Germana"}};
inline constexpr TMessage QualityGood{{"good", "gut", "bonne", "bona"}};
inline constexpr TMessage Help{{"Help", "Hilfe", "Aide", "Helpo"}};
inline constexpr TMessage HidePassword{{
    "Hide password",
    "Passwort verbergen",
    "Masquer le mot de passe",
    "Kashi pasvorton"}};
inline constexpr TMessage IllegalFileName{{
    "Illegal file name '%s'!",
    "Ungültiger Dateiname '%s'!",
    "Nom de fichier invalide '%s'!",
    "Nevalida dosiernomo '%s'!"}};
inline constexpr TMessage IllegalHexStringLength{{
    "Illegal hex string data length '%d'!",
    "Ungültige Datenlänge der Hex-Zeichenkette '%d'!",
    "Longueur de données de chaîne hexadécimale invalide '%d'!",
    "Nevalida datumlongo de deksesuma signocheno '%d'!"}};
inline constexpr TMessage IllegalLongSize{{
    "Illegal long size '%d'!",
    "Ungültige Long-Größe '%d'!",
    "Taille de long invalide '%d'!",
    "Nevalida grandeco de long '%d'!"}};
inline constexpr TMessage IllegalStringSize{{
    "Illegal string size '%d'!",
    "Ungültige Zeichenkettengröße '%d'!",
    "Taille de chaîne invalide '%d'!",
    "Nevalida grandeco de signocheno '%d'!"}};
inline constexpr TMessage IllegalHexDigit{{
    "Illegal two char hex digit '%s'!",
    "Ungültige zweistellige Hex-Ziffer '%s'!",
    "Chiffre hexadécimal à deux caractères invalide '%s'!",
    "Nevalida dusigna deksesuma cifero '%s'!"}};
inline constexpr TMessage IncorrectPassword{{
    "Incorrect password!",
    "Falsches Passwort!",
    "Mot de passe incorrect!",
    "Malghusta pasvorto!"}};
inline constexpr TMessage IncorrectPasswordConfirmation{{
    "Incorrect password confirmation!",
    "Die Passwortbestätigung ist falsch!",
    "Confirmation du mot de passe incorrecte!",
    "Malghusta konfirmo de la pasvorto!"}};
inline constexpr TMessage Information{{"Information", "Information", "Information", "Informo"}};
inline constexpr TMessage InternalProgramError{{
    "Internal program error!",
    "Interner Programmfehler!",
    "Erreur interne du programme!",
    "Interna programeraro!"}};
inline constexpr TMessage InvalidContainerFormat{{
    "Invalid container format '%d'!",
    "Ungültiges Containerformat '%d'!",
    "Format de container invalide '%d'!",
    "Nevalida kontenerformato '%d'!"}};
inline constexpr TMessage InvalidDataHash{{
    "Invalid data hash!",
    "Ungültiger Daten-Hash!",
    "Hachage des données invalide!",
    "Nevalida datuma haketajho!"}};
inline constexpr TMessage InvalidFolder{{
    "Invalid folder!",
    "Ungültiger Ordner!",
    "Dossier invalide!",
    "Nevalida dosierujo!"}};
inline constexpr TMessage Language{{"Language", "Sprache", "Langue", "Lingvo"}};
inline constexpr TMessage OwnLanguageName{{"English", "Deutsch", "Français", "Esperanto"}};
inline constexpr TMessage RandomAreaTooSmall{{
    "Length random area '%d' too small!",
    "Länge des Zufallsbereichs '%d' zu klein!",
    "Longueur de la zone aléatoire '%d' trop petite!",
    "Longo de hazarda areo '%d' tro malgranda!"}};
inline constexpr TMessage LoadEllipsis{{"Load...", "Laden...", "Charger...", "Shargi..."}};
inline constexpr TMessage LoadFromOutlookHint{{
    "Load container from active Outlook message",
    "Container aus der aktiven Outlook-Nachricht laden",
    "Charger le container depuis le message Outlook actif",
    "Shargi konteneron el la aktiva Outlook-mesagho"}};
inline constexpr TMessage LoadFromFileHint{{
    "Load a container from file",
    "Einen Container aus einer Datei laden",
    "Charger un container depuis un fichier",
    "Shargi konteneron el dosiero"}};
inline constexpr TMessage LoadFromFile{{
    "Load container from file...",
    "Container aus Datei laden...",
    "Charger un container depuis un fichier...",
    "Shargi konteneron el dosiero..."}};
inline constexpr TMessage Text{{"Text", "Text", "Texte", "Teksto"}};
inline constexpr TMessage ModifiedDate{{"Modified Date", "Änderungsdatum", "Date de modification", "Dato de modifo"}};
inline constexpr TMessage NewEllipsis{{"New...", "Neu...", "Nouveau...", "Nova..."}};
inline constexpr TMessage Ok{{"OK", "OK", "OK", "Bone"}};
inline constexpr TMessage OpenFromOutlook{{
    "Open container from outlook...",
    "Container aus Outlook öffnen...",
    "Ouvrir un container depuis Outlook...",
    "Malfermi konteneron el Outlook..."}};
inline constexpr TMessage Options{{"Options", "Optionen", "Options", "Agordoj"}};
inline constexpr TMessage OptionsEllipsis{{"Options...", "Optionen...", "Options...", "Agordoj..."}};
inline constexpr TMessage OutlookEllipsis{{"Outlook...", "Outlook...", "Outlook...", "Outlook..."}};
inline constexpr TMessage Overwrite{{"Overwrite", "Überschreiben", "Écraser", "Superskribi"}};
inline constexpr TMessage OverwriteFile{{
    "Overwrite file '%s'",
    "Datei '%s' überschreiben",
    "Écraser le fichier '%s'",
    "Superskribi dosieron '%s'"}};
inline constexpr TMessage OverwriteFileInFolder{{
    "Overwrite file '%s'\\'%s'",
    "Datei '%s'\\'%s' überschreiben",
    "Écraser le fichier '%s'\\'%s'",
    "Superskribi dosieron '%s'\\'%s'"}};
inline constexpr TMessage OwnMailAddress{{
    "Own mail address",
    "Eigene E-Mail-Adresse",
    "Votre adresse électronique",
    "Propra retadreso"}};
inline constexpr TMessage Password{{"Password", "Passwort", "Mot de passe", "Pasvorto"}};
inline constexpr TMessage PasswordLabel{{"Password:", "Passwort:", "Mot de passe:", "Pasvorto:"}};
inline constexpr TMessage PasswordOutlookContainer{{
    "Password (Outlook container)",
    "Passwort (Outlook-Container)",
    "Mot de passe (container Outlook)",
    "Pasvorto (Outlook-kontenero)"}};
inline constexpr TMessage PathsCannotBeConcatenated{{
    "Paths '%s' and '%s' cannot be concatenated!",
    "Die Pfade '%s' und '%s' können nicht verbunden werden!",
    "Les chemins '%s' et '%s' ne peuvent pas être concaténés!",
    "La vojoj '%s' kaj '%s' ne povas esti kunigitaj!"}};
inline constexpr TMessage SelectOutlookMessage{{
    "Please select an Outlook message with container file!",
    "Bitte wählen Sie eine Outlook-Nachricht mit Container-Datei aus!",
    "Veuillez sélectionner un message Outlook contenant un fichier container!",
    "Bonvolu elekti Outlook-mesaghon kun kontenera dosiero!"}};
inline constexpr TMessage PrepareMailHint{{
    "Prepare a mail message with container as attachment and decryption instructions for the recipients",
    "Eine E-Mail mit dem Container als Anhang und Entschlüsselungsanweisungen für die Empfänger vorbereiten",
    "Préparer un courriel avec le container en pièce jointe et les instructions de déchiffrement pour les destinataires",
    "Prepari retmesaghon kun la kontenero kiel aldonajho kaj malchifraj instrukcioj por la ricevantoj"}};
inline constexpr TMessage ProgramVersion{{
    "Program version: %s",
    "Programmversion: %s",
    "Version du programme: %s",
    "Programversio: %s"}};
inline constexpr TMessage Quality{{"Quality:", "Qualität:", "Qualité:", "Kvalito:"}};
inline constexpr TMessage ReplyPrefix{{"RE:", "AW:", "RE:", "Re:"}};
inline constexpr TMessage ReadOnlyMark{{"(read only)", "(schreibgeschützt)", "(lecture seule)", "(nur legebla)"}};
inline constexpr TMessage Reply{{"Reply...", "Antworten...", "Répondre...", "Respondi..."}};
inline constexpr TMessage RestoreDefaultText{{
    "Restore default text",
    "Standardtext wiederherstellen",
    "Rétablir le texte par défaut",
    "Restarigi la implicitan tekston"}};
inline constexpr TMessage ReuseWindowSize{{
    "Re-use previous window size",
    "Vorherige Fenstergröße wiederverwenden",
    "Réutiliser la taille de fenêtre précédente",
    "Reuzi la antauan fenestrograndon"}};
inline constexpr TMessage SaveSettingsAndClose{{
    "Save settings and close",
    "Einstellungen speichern und schließen",
    "Enregistrer les paramètres et fermer",
    "Sekurigi agordojn kaj fermi"}};
inline constexpr TMessage SaveAs{{"Save as...", "Speichern unter...", "Enregistrer sous...", "Sekurigi kiel..."}};
inline constexpr TMessage SaveContainer{{
    "Save container",
    "Container speichern",
    "Enregistrer le container",
    "Sekurigi konteneron"}};
inline constexpr TMessage SaveContainerHint{{
    "Save this container to file",
    "Diesen Container in einer Datei speichern",
    "Enregistrer ce container dans un fichier",
    "Sekurigi tiun chi konteneron en dosieron"}};
inline constexpr TMessage Send{{"Send...", "Senden...", "Envoyer...", "Sendi..."}};
inline constexpr TMessage Splash{{"Splash", "Splash", "Splash", "Splash"}};
inline constexpr TMessage StartInTray{{
    "Start Sealvane in system tray mode",
    "Sealvane im Infobereich starten",
    "Démarrer Sealvane dans la zone de notification",
    "Lanchi Sealvane en la sistempleto"}};
inline constexpr TMessage StayOnTop{{"Stay on top", "Im Vordergrund", "Au premier plan", "Chiam supre"}};
inline constexpr TMessage StringIncomplete{{
    "String incomplete: is '%d', sb: '%d'!",
    "Zeichenkette unvollständig: ist '%d', soll: '%d'!",
    "Chaîne incomplète: est '%d', attendu: '%d'!",
    "Signocheno nekompleta: estas '%d', devus esti: '%d'!"}};
inline constexpr TMessage SubjectAndTextForRecipients{{
    "Subject and text for recipients",
    "Betreff und Text für die Empfänger",
    "Objet et texte pour les destinataires",
    "Temo kaj teksto por la ricevantoj"}};
inline constexpr TMessage QualitySufficient{{"sufficient", "ausreichend", "suffisante", "suficha"}};
inline constexpr TMessage ContainerIsReadOnly{{
    "This container is read only!",
    "Dieser Container ist schreibgeschützt!",
    "Ce container est en lecture seule!",
    "Tiu chi kontenero estas nur legebla!"}};
inline constexpr TMessage CloseWithoutSavingConfirm{{
    "This container has not been saved yet and will be lost on close! Do you really want to close without saving first?",
    "Dieser Container wurde noch nicht gespeichert und geht beim Schließen verloren! Möchten Sie wirklich schließen, ohne vorher zu speichern?",
    "Ce container n'a pas encore été enregistré et sera perdu à la fermeture! Voulez-vous vraiment fermer sans l'enregistrer d'abord?",
    "Tiu chi kontenero ankorau ne estas sekurigita kaj perdighos che la fermo! Chu vi vere volas fermi sen antaue sekurigi?"}};
inline constexpr TMessage Tools{{"Tools", "Extras", "Outils", "Iloj"}};
inline constexpr TMessage UnsavedMark{{"(unsaved)", "(nicht gespeichert)", "(non sauvegardé)", "(ne sekurigita)"}};
inline constexpr TMessage UseLastWindowPosition{{
    "Use last window position at start-up",
    "Letzte Fensterposition beim Start verwenden",
    "Utiliser la dernière position de la fenêtre au démarrage",
    "Uzi la lastan fenestropozicion che lanchigho"}};
inline constexpr TMessage Version{{"Version", "Version", "Version", "Versio"}};
inline constexpr TMessage Warning{{"Warning", "Warnung", "Avertissement", "Averto"}};
inline constexpr TMessage WipeFilesTitle{{
    "Wipe files",
    "Dateien sicher löschen",
    "Effacer des fichiers de manière sécurisée",
    "Forvishi dosierojn"}};
inline constexpr TMessage WipeFiles{{
    "Wipe files...",
    "Dateien sicher löschen...",
    "Effacer des fichiers de manière sécurisée...",
    "Forvishi dosierojn..."}};
inline constexpr TMessage WriteOrDropMessageText{{
    "Write or drop your message text here",
    "Schreiben Sie Ihren Nachrichtentext hier oder legen Sie ihn hier ab",
    "Écrivez ou déposez ici le texte de votre message",
    "Skribu au demetu vian mesaghtekston chi tie"}};
inline constexpr TMessage Sealvane{{"Sealvane", "Sealvane", "Sealvane", "Sealvane"}};
inline constexpr TMessage ProgramFileNotFound{{
    "Sealvane program file not found in installation path!",
    "Sealvane-Programmdatei im Installationspfad nicht gefunden!",
    "Fichier programme de Sealvane introuvable dans le chemin d'installation!",
    "Sealvane-programdosiero ne trovita en la instala vojo!"}};
inline constexpr TMessage SealvaneWindow{{
    "Sealvane window",
    "Sealvane-Fenster",
    "Fenêtre Sealvane",
    "Sealvane-fenestro"}};
inline constexpr TMessage FileModifiedKeepChanges{{
    "File '%s' has been modified. Do you want to keep the changes?'",
    "Die Datei '%s' wurde geändert. Möchten Sie die Änderungen behalten?",
    "Le fichier '%s' a été modifié. Voulez-vous conserver les modifications?",
    "Dosiero '%s' estis modifita. Chu vi volas konservi la shanghojn?"}};
inline constexpr TMessage FileLockedByOtherApplication{{
    "File '%s' is currently locked by another application! Please close the application and try again!'",
    "Die Datei '%s' ist derzeit von einer anderen Anwendung gesperrt! Bitte schließen Sie die Anwendung und versuchen Sie es erneut!",
    "Le fichier '%s' est actuellement verrouillé par une autre application! Veuillez fermer l'application et réessayer!",
    "Dosiero '%s' estas nun shlosita de alia aplikajho! Bonvolu fermi la aplikajhon kaj reprovi!"}};
inline constexpr TMessage SecureMessageSubject{{
    "Secure message created with Sealvane",
    "Sichere Nachricht, erstellt mit Sealvane",
    "Message sécurisé créé avec Sealvane",
    "Sekura mesagho kreita per Sealvane"}};
inline constexpr TMessage DecryptLinkInstruction{{
    "To decrypt the Sealvane message please click on the following link:\r\n\r\n%s",
    "Um die Sealvane-Nachricht zu entschlüsseln, klicken Sie bitte auf den folgenden Link:\r\n\r\n%s",
    "Pour déchiffrer le message Sealvane, veuillez cliquer sur le lien suivant:\r\n\r\n%s",
    "Por malchifri la Sealvane-mesaghon, bonvolu alklaki la sekvan ligilon:\r\n\r\n%s"}};
inline constexpr TMessage NotInstalledExplanation{{
    "The version of Sealvane you are using at the moment has not been installed (i.e. setup) on your system. Although it can be used locally by simply copying it to disk and clicking on it - as opposed to on-line loading via a link to the Sealvane Web site - it will still not have been installed.\r\n"
    "\r\n"
    "The on-line version has no setup and when running it will not make any entries in your Windows registry or perform any other changes to your system configuration. As a result some typical Windows convenience functions will not be available.\r\n"
    "\r\n"
    "You can download a free installable version of Sealvane by pressing the button below.\r\n"
    "\r\n"
    "The installable version will setup the following things:\r\n"
    "\r\n"
    "- place a local copy of Sealvane.exe in your program directory\r\n"
    "- list Sealvane as an installed program and setup the standard uninstall procedure\r\n"
    "- register the .xvt extension for the Windows file explorer to enable double clicking on xvt files\r\n"
    "- register Sealvane in the Windows file explorer context menu for easy encrypt and decrypt of files\r\n"
    "- enable usage in the system tray\r\n"
    "- activate the storing of current user options in the registry - e.g. window sizes, start up in system tray, reply mail address, etc.\r\n"
    "- allow automatic updating to the latest Sealvane version\r\n",
    "Die Version von Sealvane, die Sie gerade verwenden, wurde nicht auf Ihrem System installiert (d. h. per Setup eingerichtet). Zwar kann sie lokal verwendet werden, indem Sie sie einfach auf die Festplatte kopieren und anklicken - im Gegensatz zum Online-Laden über einen Link auf die Sealvane-Website -, installiert ist sie dadurch aber trotzdem nicht.\r\n"
    "\r\n"
    "Die Online-Version hat kein Setup und nimmt beim Ausführen weder Einträge in Ihrer Windows-Registry noch sonstige Änderungen an Ihrer Systemkonfiguration vor. Daher stehen einige typische Windows-Komfortfunktionen nicht zur Verfügung.\r\n"
    "\r\n"
    "Über die Schaltfläche unten können Sie eine kostenlose installierbare Version von Sealvane herunterladen.\r\n"
    "\r\n"
    "Die installierbare Version richtet Folgendes ein:\r\n"
    "\r\n"
    "- eine lokale Kopie von Sealvane.exe in Ihrem Programmverzeichnis\r\n"
    "- Eintrag von Sealvane als installiertes Programm mit der üblichen Deinstallationsroutine\r\n"
    "- Registrierung der Endung .xvt im Windows-Explorer, damit xvt-Dateien per Doppelklick geöffnet werden\r\n"
    "- Eintrag von Sealvane im Kontextmenü des Windows-Explorers zum einfachen Ver- und Entschlüsseln von Dateien\r\n"
    "- Nutzung im Infobereich der Taskleiste\r\n"
    "- Speicherung der aktuellen Benutzeroptionen in der Registry - z. B. Fenstergrößen, Start im Infobereich, Antwortadresse usw.\r\n"
    "- automatische Aktualisierung auf die neueste Sealvane-Version\r\n",
    "La version de Sealvane que vous utilisez actuellement n'a pas été installée (c.-à-d. par un programme d'installation) sur votre système. Bien qu'elle puisse être utilisée localement en la copiant simplement sur le disque et en cliquant dessus - par opposition au chargement en ligne via un lien vers le site Web de Sealvane - elle n'est pas installée pour autant.\r\n"
    "\r\n"
    "La version en ligne n'a pas de programme d'installation et, lors de son exécution, elle n'inscrit rien dans votre registre Windows et n'apporte aucune autre modification à la configuration de votre système. De ce fait, certaines fonctions de confort habituelles de Windows ne sont pas disponibles.\r\n"
    "\r\n"
    "Vous pouvez télécharger une version installable gratuite de Sealvane en cliquant sur le bouton ci-dessous.\r\n"
    "\r\n"
    "La version installable met en place les éléments suivants:\r\n"
    "\r\n"
    "- une copie locale de Sealvane.exe dans votre répertoire de programmes\r\n"
    "- l'inscription de Sealvane comme programme installé avec la procédure de désinstallation standard\r\n"
    "- l'enregistrement de l'extension .xvt dans l'explorateur de fichiers Windows pour ouvrir les fichiers xvt par double-clic\r\n"
    "- l'ajout de Sealvane au menu contextuel de l'explorateur de fichiers Windows pour chiffrer et déchiffrer facilement des fichiers\r\n"
    "- l'utilisation dans la zone de notification\r\n"
    "- l'enregistrement des options actuelles de l'utilisateur dans le registre - par ex. tailles des fenêtres, démarrage dans la zone de notification, adresse de réponse, etc.\r\n"
    "- la mise à jour automatique vers la dernière version de Sealvane\r\n",
    "La versio de Sealvane, kiun vi nun uzas, ne estas instalita (t.e. per instalilo) en via sistemo. Kvankam vi povas uzi ghin loke, simple kopiante ghin al disko kaj alklakante ghin - male al enreta shargo per ligilo al la retejo de Sealvane - ghi tamen ne estas instalita.\r\n"
    "\r\n"
    "La enreta versio ne havas instalilon, kaj dum funkciado ghi faras nek enskribojn en via Windows-registro nek aliajn shanghojn de via sistema agordo. Tial kelkaj tipaj oportunaj funkcioj de Windows ne disponeblas.\r\n"
    "\r\n"
    "Vi povas elshuti senpagan instaleblan version de Sealvane per la suba butono.\r\n"
    "\r\n"
    "La instalebla versio agordos la jenajn aferojn:\r\n"
    "\r\n"
    "- loka kopio de Sealvane.exe en via programdosierujo\r\n"
    "- registro de Sealvane kiel instalita programo kun la norma malinstala proceduro\r\n"
    "- registro de la sufikso .xvt en la Windows-dosieresplorilo, por ke duobla alklako malfermu xvt-dosierojn\r\n"
    "- registro de Sealvane en la kunteksta menuo de la Windows-dosieresplorilo por facile chifri kaj malchifri dosierojn\r\n"
    "- uzado en la sistempleto\r\n"
    "- konservado de la nunaj uzantagordoj en la registro - ekz. fenestrograndoj, lanchigho en la sistempleto, respondadreso, ktp.\r\n"
    "- automata ghisdatigo al la plej nova versio de Sealvane\r\n"}};
inline constexpr TMessage PreviousMessageSeparator{{
    "\r\n\r\n-------- Previous message ---------\r\n\r\n",
    "\r\n\r\n-------- Vorherige Nachricht ---------\r\n\r\n",
    "\r\n\r\n-------- Message précédent ---------\r\n\r\n",
    "\r\n\r\n-------- Antaua mesagho ---------\r\n\r\n"}};
inline constexpr TMessage UpdateContainer{{
    "Update container",
    "Container aktualisieren",
    "Mettre à jour le container",
    "Ghisdatigi konteneron"}};
inline constexpr TMessage LeaveTempFilesLockedConfirm{{
    "If you leave temporary files locked Sealvane cannot wipe them before closing the container. This means that decrypted versions will be left on your disk until Sealvane is able to wipe them at a later date. Do you want this to happen?",
    "Wenn Sie temporäre Dateien gesperrt lassen, kann Sealvane sie vor dem Schließen des Containers nicht sicher löschen. Entschlüsselte Versionen bleiben dann auf Ihrer Festplatte, bis Sealvane sie zu einem späteren Zeitpunkt sicher löschen kann. Möchten Sie das?",
    "Si vous laissez des fichiers temporaires verrouillés, Sealvane ne peut pas les effacer de manière sécurisée avant de fermer le container. Des versions déchiffrées resteront alors sur votre disque jusqu'à ce que Sealvane puisse les effacer ultérieurement. Voulez-vous que cela se produise?",
    "Se vi lasas provizorajn dosierojn shlositaj, Sealvane ne povas forvishi ilin antau la fermo de la kontenero. Tio signifas, ke malchifritaj versioj restos sur via disko, ghis Sealvane povos forvishi ilin poste. Chu vi volas, ke tio okazu?"}};
inline constexpr TMessage WipeCyclesUserFiles{{
    "Number of wipe cycles for user files:",
    "Anzahl der Löschdurchgänge für Benutzerdateien:",
    "Nombre de passes d'effacement pour les fichiers utilisateur:",
    "Nombro de forvishaj cikloj por uzantodosieroj:"}};
inline constexpr TMessage WipeCyclesTempFiles{{
    "Number of wipe cycles for temporary files:",
    "Anzahl der Löschdurchgänge für temporäre Dateien:",
    "Nombre de passes d'effacement pour les fichiers temporaires:",
    "Nombro de forvishaj cikloj por provizoraj dosieroj:"}};
inline constexpr TMessage CatalogRegenerated{{
    "The catalog of container '%s' had to be regenerated!",
    "Der Katalog von Container '%s' musste neu erstellt werden!",
    "Le catalogue du container '%s' a dû être régénéré!",
    "La katalogo de kontenero '%s' devis esti regenerita!"}};
inline constexpr TMessage Noname{{"Noname", "Unbennant", "Sans nom", "Sennoma"}};
inline constexpr TMessage PartNumber{{"Part %d:", "Teil %d:", "Partie %d:", "Parto %d:"}};
inline constexpr TMessage ClickFlagToChangeLanguage{{
    "Click on flag to change language",
    "Klicken Sie auf die Flagge, um die Sprache zu ändern",
    "Cliquez sur le drapeau pour changer de langue",
    "Alklaku la flagon por shanghi la lingvon"}};
inline constexpr TMessage LocalUpdateFailed{{
    "Failed to update your local copy of Sealvane!",
    "Ihre lokale Kopie von Sealvane konnte nicht aktualisiert werden!",
    "La mise à jour de votre copie locale de Sealvane a échoué!",
    "Malsukcesis ghisdatigi vian lokan kopion de Sealvane!"}};
inline constexpr TMessage CheckCodeExplanation{{
    "The two letter display is derived from the your entries in the password field. A specific password always yields the same combination of letters. This way you can check for typos without having to unhide the password field.",
    "Die Zwei-Buchstaben-Anzeige wird aus Ihrer Eingabe im Passwortfeld abgeleitet. Ein bestimmtes Passwort ergibt immer dieselbe Buchstabenkombination. So können Sie Tippfehler erkennen, ohne das Passwortfeld sichtbar machen zu müssen.",
    "L'affichage à deux lettres est dérivé de votre saisie dans le champ du mot de passe. Un mot de passe donné produit toujours la même combinaison de lettres. Vous pouvez ainsi détecter les fautes de frappe sans devoir afficher le mot de passe en clair.",
    "La dulitera montrilo devenas de via enigo en la pasvorta kampo. Difinita pasvorto chiam donas la saman kombinajhon de literoj. Tiel vi povas kontroli tajperarojn sen malkashi la pasvortan kampon."}};
inline constexpr TMessage UpdateBlockedByRunningInstance{{
    "A Sealvane update cannot take place because there is a local instance of Sealvane already running (e.g. in the system tray). Please close down the local instance of Sealvane and try again.",
    "Eine Aktualisierung von Sealvane ist nicht möglich, da bereits eine lokale Instanz von Sealvane läuft (z. B. im Infobereich). Bitte beenden Sie die lokale Instanz von Sealvane und versuchen Sie es erneut.",
    "La mise à jour de Sealvane est impossible car une instance locale de Sealvane est déjà en cours d'exécution (par ex. dans la zone de notification). Veuillez fermer l'instance locale de Sealvane et réessayer.",
    "Ghisdatigo de Sealvane ne eblas, char loka instanco de Sealvane jam funkcias (ekz. en la sistempleto). Bonvolu fermi la lokan instancon de Sealvane kaj reprovi."}};
inline constexpr TMessage LatestInformationAt{{
    "Latest information at:",
    "Aktuelle Informationen unter:",
    "Dernières informations sur:",
    "Lastaj informoj che:"}};
inline constexpr TMessage WipeRunsRange{{
    "(1 to 8 DoD 5220.22 runs)",
    "(1 bis 8 Durchgänge nach DoD 5220.22)",
    "(1 à 8 passes DoD 5220.22)",
    "(1 ghis 8 cikloj lau DoD 5220.22)"}};
inline constexpr TMessage Example{{"Example:", "Beispiel:", "Exemple:", "Ekzemplo:"}};
inline constexpr TMessage CheckCodeHint{{
    "Two letter display to check for typos in password",
    "Zwei-Buchstaben-Anzeige zur Prüfung auf Tippfehler im Passwort",
    "Affichage à deux lettres pour détecter les fautes de frappe dans le mot de passe",
    "Dulitera montrilo por kontroli tajperarojn en la pasvorto"}};
inline constexpr TMessage ReplyAddress{{"Reply address", "Antwortadresse", "Adresse de réponse", "Respondadreso"}};
inline constexpr TMessage From{{"From:", "Von:", "De:", "De:"}};
inline constexpr TMessage OwnMailAddresses{{
    "Own mail addresses",
    "Eigene E-Mail-Adressen",
    "Vos adresses électroniques",
    "Propraj retadresoj"}};
inline constexpr TMessage Add{{"Add", "Hinzufügen", "Ajouter", "Aldoni"}};
inline constexpr TMessage InvalidExtraFormat{{
    "Invalid Extra format '%d'!",
    "Ungültiges Extra-Format '%d'!",
    "Format Extra invalide '%d'!",
    "Nevalida Extra-formato '%d'!"}};
inline constexpr TMessage ReplyAddressHint{{
    "E-mail address to be used for replies",
    "E-Mail-Adresse für Antworten",
    "Adresse électronique à utiliser pour les réponses",
    "Retadreso uzota por respondoj"}};
inline constexpr TMessage LoadAtSystemStartup{{
    "Load Sealvane at system start-up",
    "Sealvane beim Systemstart laden",
    "Charger Sealvane au démarrage du système",
    "Shargi Sealvane che lanchigho de la sistemo"}};
inline constexpr TMessage FilterRtfFiles{{
    "RTF files (*.%0:s) | *.%0:s",
    "RTF-Dateien (*.%0:s) | *.%0:s",
    "Fichiers RTF (*.%0:s) | *.%0:s",
    "RTF-dosieroj (*.%0:s) | *.%0:s"}};
inline constexpr TMessage FilesWiped{{
    "%d file(s) successfuly wiped",
    "%d Dateie(n) erfolgreich sicherheitsgelöscht",
    "%d fichier(s) effacé(s) de manière sécurisée",
    "%d dosiero(j) sukcese forvishita(j)"}};
inline constexpr TMessage ErrorCreatingTempDirectory{{
    "Error on creating temp directory '%s'!",
    "Fehler beim Erstellen des temporären Verzeichnisses '%s'!",
    "Erreur lors de la création du répertoire temporaire '%s'!",
    "Eraro dum kreado de la provizora dosierujo '%s'!"}};
inline constexpr TMessage ChooseFont{{"Chose font", "Schriftart wählen", "Choisir la police", "Elekti tiparon"}};
inline constexpr TMessage ChooseColor{{"Chose color", "Farbe wählen", "Choisir la couleur", "Elekti koloron"}};
inline constexpr TMessage FormatAsList{{
    "Format as list",
    "Als Liste formatieren",
    "Mettre en forme de liste",
    "Formati kiel liston"}};
inline constexpr TMessage AlignLeft{{"Align left", "Linksbündig", "Aligner à gauche", "Ghisrandigi maldekstren"}};
inline constexpr TMessage AlignRight{{"Align right", "Rechtsbündig", "Aligner à droite", "Ghisrandigi dekstren"}};
inline constexpr TMessage AlignCenter{{"Align center", "Zentriert", "Centrer", "Centrigi"}};
inline constexpr TMessage Window{{"Window", "Fenster", "Fenêtre", "Fenestro"}};
inline constexpr TMessage User{{"User", "Benutzer", "Utilisateur", "Uzanto"}};
inline constexpr TMessage Mapi{{"MAPI", nullptr, nullptr, nullptr}};
inline constexpr TMessage Note{{"Note", "Hinweis", "Remarque", "Noto"}};
inline constexpr TMessage Profile{{"Profile", "Profil", "Profil", "Profilo"}};
inline constexpr TMessage NameLabel{{"Name:", "Name:", "Nom:", "Nomo:"}};
inline constexpr TMessage AddressType{{"Address type", "Adresstyp", "Type d'adresse", "Adrestipo"}};
inline constexpr TMessage Smtp{{"SMTP", nullptr, nullptr, nullptr}};
inline constexpr TMessage Http{{"HTTP", nullptr, nullptr, nullptr}};
inline constexpr TMessage Automatic{{"automatic", "automatisch", "automatique", "automata"}};
inline constexpr TMessage OpenExplorerAfterExtract{{
    "Open Explorer after extract",
    "Dateimanager nach dem Extrahieren öffnen",
    "Ouvrir l'explorateur de fichiers après l'extraction",
    "Malfermi la dosieresplorilon post eltiro"}};
inline constexpr TMessage ExtractIntoSubfolders{{
    "Place extracted container contents in subdirectories",
    "Extrahierten Containerinhalt in Unterverzeichnissen ablegen",
    "Placer le contenu extrait du container dans des sous-répertoires",
    "Meti la eltiritan kontenerenhavon en subdosierujojn"}};
inline constexpr TMessage Wipe{{"Wipe", "Sicheres Löschen", "Effacement sécurisé", "Forvishado"}};
inline constexpr TMessage Miscellaneous{{"Miscellaneous", "Verschiedenes", "Divers", "Diversajhoj"}};
inline constexpr TMessage RememberPassword{{
    "Remember password:",
    "Passwort merken:",
    "Mémoriser le mot de passe:",
    "Memori pasvorton:"}};
inline constexpr TMessage RememberMinutesRange{{
    "(0 to 99 minutes)",
    "(0 bis 99 Minuten)",
    "(0 à 99 minutes)",
    "(0 ghis 99 minutoj)"}};
inline constexpr TMessage BoldLetter{{"B", "F", "G", "G"}};
inline constexpr TMessage ItalicLetter{{"I", "K", "I", "K"}};
inline constexpr TMessage UnderlineLetter{{"U", "U", "S", "S"}};
inline constexpr TMessage StrikeoutLetter{{"S", "D", "B", "T"}};
inline constexpr TMessage Bold{{"Bold", "Fett", "Gras", "Grasa"}};
inline constexpr TMessage Italics{{"Italics", "Kursiv", "Italique", "Kursiva"}};
inline constexpr TMessage Underline{{"Underline", "Unterstrichen", "Souligné", "Substrekita"}};
inline constexpr TMessage Strikeout{{"Strikeout", "Durchgestrichen", "Barré", "Trastrekita"}};
inline constexpr TMessage HyperlinkLetter{{"H", nullptr, nullptr, nullptr}};
inline constexpr TMessage Hyperlink{{"Hyperlink", "Hyperlink", "Lien hypertexte", "Hiperligilo"}};
inline constexpr TMessage Security{{"Security", "Sicherheit", "Sécurité", "Sekureco"}};
inline constexpr TMessage Numbering{{"Number", "Nummerierung", "Numérotation", "Numerado"}};
inline constexpr TMessage ComputerNameIs{{
    "Your computer name is '%s'.",
    "Ihr Computername lautet '%s'.",
    "Le nom de votre ordinateur est '%s'.",
    "Via komputilnomo estas '%s'."}};
inline constexpr TMessage DefaultFont{{"Default font", "Standardschriftart", "Police par défaut", "Implicita tiparo"}};
inline constexpr TMessage FontSample{{
    "The quick brown fox jumps over the lazy dog.",
    "Franz jagt im komplett verwahrlosten Taxi quer durch Bayern.",
    "Portez ce vieux whisky au juge blond qui fume.",
    "Lau Ludoviko Zamenhof bongustas fresha chehha manghajho kun spicoj."}};
inline constexpr TMessage InstalledUpdateBlockedByOpenContainers{{
    "The installed version of Sealvane could not be updated because containers are still open",
    "Die installierte Version von Sealvane konnte nicht aktualisiert werden, weil noch Container geöffnet sind",
    "La version installée de Sealvane n'a pas pu être mise à jour car des containers sont encore ouverts",
    "La instalita versio de Sealvane ne povis esti ghisdatigita, char ankorau estas malfermitaj konteneroj"}};
inline constexpr TMessage Open{{"Open", "Öffnen", "Ouvrir", "Malfermi"}};
inline constexpr TMessage UpdateEllipsis{{"Update...", "Aktualisieren...", "Mettre à jour...", "Ghisdatigi..."}};
inline constexpr TMessage CloseContainersToUpdate{{
    "To update Sealvane all containers must be closed!",
    "Um Sealvane zu aktualisieren, müssen alle Container geschlossen sein!",
    "Pour mettre à jour Sealvane, tous les containers doivent être fermés!",
    "Por ghisdatigi Sealvane, chiuj konteneroj devas esti fermitaj!"}};
inline constexpr TMessage EnterOwnMailAddress{{
    "Please enter your e-mail address hier. The address entered is used to propose a reply address to the recipient of a Sealvane message. You can modify the address later using the menu - 'Options', 'User'.",
    "Bitte geben Sie hier Ihre E-Mail-Adresse ein. Die eingegebene Adresse wird dem Empfänger einer Sealvane-Nachricht als Antwortadresse vorgeschlagen. Sie können die Adresse später über das Menü ändern - 'Optionen', 'Benutzer'.",
    "Veuillez saisir ici votre adresse électronique. L'adresse saisie est proposée comme adresse de réponse au destinataire d'un message Sealvane. Vous pourrez la modifier plus tard par le menu - 'Options', 'Utilisateur'.",
    "Bonvolu enigi vian retadreson chi tie. La enigita adreso estas proponata kiel respondadreso al la ricevanto de Sealvane-mesagho. Vi povas shanghi la adreson poste per la menuo - 'Agordoj', 'Uzanto'."}};
inline constexpr TMessage UpdateSuccessful{{
    "Update successful!",
    "Aktualisierung erfolgreich!",
    "Mise à jour réussie!",
    "Ghisdatigo sukcesis!"}};
inline constexpr TMessage Undo{{"Undo", "Rückgängig", "Annuler", "Malfari"}};
inline constexpr TMessage Cut{{"Cut", "Ausschneiden", "Couper", "Eltondi"}};
inline constexpr TMessage Copy{{"Copy", "Kopieren", "Copier", "Kopii"}};
inline constexpr TMessage Paste{{"Paste", "Einfügen", "Coller", "Alglui"}};
inline constexpr TMessage SelectAll{{"Select all", "Alles auswählen", "Tout sélectionner", "Elekti chion"}};
inline constexpr TMessage EditEllipsis{{"Edit...", "Bearbeiten...", "Modifier...", "Redakti..."}};
inline constexpr TMessage AsDefault{{"As default", "Als Standard", "Par défaut", "Kiel implicitan"}};
inline constexpr TMessage DefaultMark{{"default", "Standard", "par défaut", "implicita"}};
inline constexpr TMessage EmailAddressLabel{{
    "E-mail address:",
    "E-Mail-Adresse:",
    "Adresse électronique:",
    "Retadreso:"}};
inline constexpr TMessage SubjectLabel{{"Subject:", "Betreff:", "Objet:", "Temo:"}};
inline constexpr TMessage TextLabel{{"Text:", "Text:", "Texte:", "Teksto:"}};
inline constexpr TMessage InsertLinkHint{{
    "Insert link into the text to the on-line decryption program for the recipient to click on",
    "Einen Link zum Online-Entschlüsselungsprogramm, den der Empfänger anklicken kann, in den Text einfügen",
    "Insérer dans le texte un lien vers le programme de déchiffrement en ligne, sur lequel le destinataire pourra cliquer",
    "Enmeti en la tekston ligilon al la enreta malchifra programo, por ke la ricevanto alklaku ghin"}};
inline constexpr TMessage InsertLink{{"Insert link", "Link einfügen", "Insérer un lien", "Enmeti ligilon"}};

// Web addresses the program opens; the same in every language.
inline constexpr TMessage UrlHome{{"https://www.sealvane.org/", nullptr, nullptr, nullptr}};
inline constexpr TMessage UrlHelp{{"https://www.sealvane.org/help/", nullptr, nullptr, nullptr}};
inline constexpr TMessage UrlUpdate{{"https://www.sealvane.org/download/", nullptr, nullptr, nullptr}};
inline constexpr TMessage UrlDecrypt{{"https://www.sealvane.org/open/", nullptr, nullptr, nullptr}};

// Texts of this program's own, after the web addresses.
inline constexpr TMessage InvalidDataType{{
    "Invalid data type for '%s'!",
    "Ungültiger Datentyp für '%s'!",
    "Type de données invalide pour '%s'!",
    "Nevalida datumtipo por '%s'!"}};
inline constexpr TMessage CannotOpenWithShell{{
    "Cannot open '%s'! No web browser or other program is set up to open it.",
    "'%s' kann nicht geöffnet werden! Es ist kein Webbrowser oder anderes Programm zum Öffnen eingerichtet.",
    "Impossible d'ouvrir '%s'! Aucun navigateur web ni autre programme n'est configuré pour l'ouvrir.",
    "Ne eblas malfermi '%s'! Neniu retumilo au alia programo estas agordita por malfermi ghin."}};
inline constexpr TMessage NoMailProgram{{
    "No mail program was found. Install a mail program (for example Thunderbird) and the package xdg-utils.",
    "Es wurde kein E-Mail-Programm gefunden. Installieren Sie ein E-Mail-Programm (zum Beispiel Thunderbird) und das Paket xdg-utils.",
    "Aucun programme de messagerie n'a été trouvé. Installez un programme de messagerie (par exemple Thunderbird) et le paquet xdg-utils.",
    "Neniu retposhta programo estis trovita. Instalu retposhtan programon (ekzemple Thunderbird) kaj la pakon xdg-utils."}};
inline constexpr TMessage MapiSettingsUnusedHere{{
    "On this system the address type and the profile are only kept in the settings: the mail program receives the plain addresses and uses its own account.",
    "Auf diesem System werden Adresstyp und Profil nur in den Einstellungen aufbewahrt: Das E-Mail-Programm erhält die Adressen ohne Zusatz und verwendet sein eigenes Konto.",
    "Sur ce système, le type d'adresse et le profil sont seulement conservés dans les paramètres: le programme de messagerie reçoit les adresses telles quelles et utilise son propre compte.",
    "En tiu chi sistemo la adrestipo kaj la profilo estas nur konservataj en la agordoj: la retposhta programo ricevas la simplajn adresojn kaj uzas sian propran konton."}};
inline constexpr TMessage Cancelled{{
    "Cancelled. Nothing was changed.",
    "Abgebrochen. Es wurde nichts geändert.",
    "Annulé. Rien n'a été modifié.",
    "Nuligita. Nenio estis shanghita."}};
inline constexpr TMessage BrowserPageInstruction{{
    "No Sealvane at hand? The link above opens the attached container in any web browser, also saved and offline (sealvane-open.html): the container never leaves your computer.",
    "Kein Sealvane zur Hand? Der Link oben öffnet den angehängten Container in jedem Webbrowser, auch gespeichert und offline (sealvane-open.html): Der Container verlässt Ihren Computer nie.",
    "Pas de Sealvane sous la main? Le lien ci-dessus ouvre le container joint dans n'importe quel navigateur web, même enregistré et hors ligne (sealvane-open.html): le container ne quitte jamais votre ordinateur.",
    "Chu neniu Sealvane che mano? La supra ligilo malfermas la kunsenditan konteneron en iu ajn retumilo, ankau konservita kaj senkonekte (sealvane-open.html): la kontenero neniam forlasas vian komputilon."}};
inline constexpr TMessage LinkNotOpened{{
    "'%s' is not opened: links in the text open only web pages and mail addresses.",
    "'%s' wird nicht geöffnet: Links im Text öffnen nur Webseiten und E-Mail-Adressen.",
    "'%s' n'est pas ouvert: les liens du texte n'ouvrent que des pages web et des adresses électroniques.",
    "'%s' ne estas malfermata: ligiloj en la teksto malfermas nur retpaghojn kaj retposhtajn adresojn."}};
inline constexpr TMessage ProgramNotStarted{{
    "'%s' is a program or script. Sealvane does not start it. Extract it instead?",
    "'%s' ist ein Programm oder Skript. Sealvane startet es nicht. Stattdessen extrahieren?",
    "'%s' est un programme ou un script. Sealvane ne le lance pas. L'extraire à la place?",
    "'%s' estas programo au skripto. Sealvane ne lanchas ghin. Chu eltiri ghin anstatau?"}};
inline constexpr TMessage AttachmentDoesNotMatchList{{
    "Attachment '%s' is damaged! Its stored record does not match the list. Nothing was written.",
    "Anhang '%s' ist beschädigt! Sein gespeicherter Eintrag stimmt nicht mit der Liste überein. Es wurde nichts geschrieben.",
    "La pièce jointe '%s' est endommagée! Son enregistrement stocké ne correspond pas à la liste. Rien n'a été écrit.",
    "Aldonajho '%s' estas difektita! Ghia konservita registro ne kongruas kun la listo. Nenio estis skribita."}};
inline constexpr TMessage SaveElsewhereToChange{{
    "To change it, save it in a folder of your own first (\"Save as...\"): a container in a temporary folder or in a folder of another user is only read.",
    "Um ihn zu ändern, speichern Sie ihn zuerst in einem eigenen Ordner (\"Speichern unter...\"): Ein Container in einem temporären Ordner oder im Ordner eines anderen Benutzers wird nur gelesen.",
    "Pour le modifier, enregistrez-le d'abord dans un dossier à vous (\"Enregistrer sous...\"): un container dans un dossier temporaire ou dans le dossier d'un autre utilisateur est seulement lu.",
    "Por shanghi ghin, unue sekurigu ghin en propra dosierujo (\"Sekurigi kiel...\"): kontenero en provizora dosierujo au en dosierujo de alia uzanto estas nur legata."}};
inline constexpr TMessage FileOpenInWindow{{
    "File '%s' is open in the window '%s'! Close it there first or choose another name.",
    "Die Datei '%s' ist im Fenster '%s' geöffnet! Schließen Sie sie dort zuerst oder wählen Sie einen anderen Namen.",
    "Le fichier '%s' est ouvert dans la fenêtre '%s'! Fermez-le d'abord ou choisissez un autre nom.",
    "Dosiero '%s' estas malfermita en la fenestro '%s'! Unue fermu ghin tie au elektu alian nomon."}};
inline constexpr TMessage OldBytesStayUntilCompact{{
    "What was deleted or replaced stays readable in '%s' (to whoever has the password) until 'sealvane-cli compact' writes it anew.",
    "Was gelöscht oder ersetzt wurde, bleibt in '%s' lesbar (für jeden mit dem Passwort), bis 'sealvane-cli compact' die Datei neu schreibt.",
    "Ce qui a été supprimé ou remplacé reste lisible dans '%s' (pour quiconque a le mot de passe) jusqu'à ce que 'sealvane-cli compact' le réécrive.",
    "Kio estis forigita au anstatauigita restas legebla en '%s' (por chiu kun la pasvorto), ghis 'sealvane-cli compact' reskribas ghin."}};
inline constexpr TMessage FurtherFilesNotWritten{{
    "Further files not written: %d.",
    "Weitere nicht geschriebene Dateien: %d.",
    "Autres fichiers non écrits: %d.",
    "Pliaj ne skribitaj dosieroj: %d."}};
inline constexpr TMessage SentContainers{{
    "Sent containers",
    "Gesendete Container",
    "Containers envoyés",
    "Senditaj konteneroj"}};
inline constexpr TMessage SentCopiesFolder{{
    "Folder of the copies handed to the mail program:",
    "Ordner der an das E-Mail-Programm übergebenen Kopien:",
    "Dossier des copies remises au programme de messagerie:",
    "Dosierujo de la kopioj transdonitaj al la retposhta programo:"}};
inline constexpr TMessage SentCopiesDays{{
    "Remove the copies after (days, 0 = never):",
    "Kopien entfernen nach (Tage, 0 = nie):",
    "Supprimer les copies après (jours, 0 = jamais):",
    "Forigi la kopiojn post (tagoj, 0 = neniam):"}};
inline constexpr TMessage ErrorCreatingSentFolder{{
    "Error on creating the folder of sent containers '%s'!",
    "Fehler beim Erstellen des Ordners für gesendete Container '%s'!",
    "Erreur lors de la création du dossier des containers envoyés '%s'!",
    "Eraro dum kreado de la dosierujo de senditaj konteneroj '%s'!"}};
// clang-format on

} // namespace msg

// Number of messages before the web addresses.
inline constexpr int CatalogueMessageCount = 242;
// The web addresses, then the program's own texts.
inline constexpr int WebAddressCount = 4;
inline constexpr int OwnMessageCount = 17;

// Every message in table order: the catalogue, the web addresses (UrlHome, UrlHelp, UrlUpdate,
// UrlDecrypt), then the program's own texts.
std::span<const TMessage* const> MessageTable();
