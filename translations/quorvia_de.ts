<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel session</source>
        <translation>Sitzung abbrechen</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Proxyname:</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Proxyport:</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Sprache der Anwendung auswählen:</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>Kein Proxy erkannt</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Neue Supportsitzung starten</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Supportsitzung beenden</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Show statusbar</source>
        <translation>Statusleiste anzeigen</translation>
    </message>
    <message>
        <source>Hide statusbar</source>
        <translation>Statusleiste ausblenden</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Sitzungsaufzeichnung starten</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Sitzungsaufzeichnung beenden</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Aufgezeichnete Sitzung abspielen</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Mausbewegungen auf dem Remotecomputer anzeigen</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Zwischenablage vom Client herunterladen</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Zwischenablage zum Client hochladen</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Datei übertragen</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Bildschirm aktualisieren</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Informationen zum Client-PC abrufen</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Verbindungseinstellungen konfigurieren</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Anwendungseinstellungen konfigurieren</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Erste Schritte</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Kurzanleitung</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia im Internet</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Technischer Support</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Wissensdatenbank durchsuchen</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Häufig gestellte Fragen</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Versionsgeschichte</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Produktinformationen online</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Quorvia kontaktieren</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Supportforum besuchen</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Eine Frage stellen</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Bildschirmmodi</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Chatsitzung starten</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Hintergrundbild anzeigen</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Hintergrundbild ausblenden</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Task-Manager starten</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Clientcomputer neu starten</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Remotebildschirm drucken</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Screenshot auf dem Desktop speichern</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>In den Vollbildmodus wechseln</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>In den normalen Anzeigemodus wechseln</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>An Bildschirm anpassen</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Strg-Alt-Entf senden</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Symbolleiste fixieren</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Symbolleiste lösen</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Proportionale Skalierung aktivieren</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Vollständige Skalierung aktivieren</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Proportionale Skalierung deaktivieren</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Vollständige Skalierung deaktivieren</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Mein Konto online verwalten</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Neue Supportanfrage einreichen</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Schnelllinks</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>Ihr Quorvia-Konto</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Kundensupport</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokal</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Entfernt</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Zeit: </translation>
    </message>
    <message>
        <source>Selection error</source>
        <translation>Auswahlfehler</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>Nicht angemeldet!</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>Client-IP:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Supportmitarbeiter:</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(vom Client angefordert)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Enabling the remote wallpaper will significantly decrease the application performance!&#xd;The remote wallpaper automatically re-enables when a support session ends.&#xd;Do you really want to enable the remote wallpaper?</source>
        <translation>Das Aktivieren des Remote-Hintergrundbilds verringert die Leistung der Anwendung erheblich!&#xd;Das Remote-Hintergrundbild wird am Ende einer Supportsitzung automatisch wieder aktiviert.&#xd;Möchten Sie das Remote-Hintergrundbild wirklich aktivieren?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>Die Bildschirmskalierung ist während der Sitzungsaufzeichnung nicht zulässig</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>Bildschirmaufzeichnung ist bei aktivierter Bildschirmskalierung nicht zulässig</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>E-Mail-Info</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>E-Mail-Fehler</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>Wird geschlossen ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>Abmeldung ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Sitzungsdauer: </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Abgemeldet</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Sitzung beendet</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>Neustart ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>Verbindung zu </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>Der ausgewählte Bildschirmmodus kann nicht eingestellt werden</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Bildschirmmodus nicht verfügbar</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Verbindungseinstellungen unvollständig</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>Die Aufzeichnung konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>Remotecomputer wird neu gestartet ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>Während eines Chats nicht zulässig</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Client angemeldet</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>Der Remotecomputer wird neu gestartet</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>Neustart/Herunterfahren vom Remotecomputer abgelehnt&#xd;Schließen Sie alle laufenden Programme</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Client verbunden um: </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Client getrennt um: </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>Verbindung zum Client verloren ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Sitzung vom Client beendet</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Inhalt der Zwischenablage zu groß</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Fehler beim Senden der Zwischenablage</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Zwischenablage ist leer</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Fehler bei der Übertragung der Zwischenablage</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Schlechte Verbindung zum Gateway</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>oder falsche Verbindungseinstellungen</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Schlechte Verbindung</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Bitte einen Moment warten ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>Verbindung zum Gateway verloren&#xd;Aktuelle Sitzung wird beendet</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>Eine E-Mail wurde an den Remotebenutzer gesendet.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Fehler bei der E-Mail-Zustellung</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Dieses Programm läuft nur unter Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>Der Ordner Snapshots konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Fehler beim Speichern des Bildes</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Proxyeinstellungen erforderlich</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>SSL-Aushandlungsfehler</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>SSL-Zertifikat ungültig</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Vollzugriffsmodus</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Nur-Ansicht-Modus</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Mit Gateway verbunden</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Vom Gateway getrennt</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Mit Client verbunden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>Verbindung trennen?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>Verbindungsstatus: </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>Diese Sitzung beenden?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>Keine Drucker verfügbar</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>Der Remotebenutzer schreibt eine Nachricht</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Chat protokollieren</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>CHAT MIT CLIENT</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>CHATANFRAGE VOM CLIENT</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Chatsitzung gestartet </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Chatsitzung beendet </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Chat abgelehnt - kein Benutzer angemeldet</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>Ordner nicht gefunden</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Zurückspulen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>Warten auf die Verbindung des Remotebenutzers...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Sitzungsschlüssel: </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>Installations-URL:</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Übertragung abbrechen</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>DATEIÜBERTRAGUNG</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Dateien in beide Richtungen übertragen: mit den Schaltflächen, per Drag &amp;&amp; Drop oder mit Kopieren &amp;&amp; Einfügen</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>Lokale Datei wird übertragen: </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> zum Remotecomputer: </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>Remotedatei wird übertragen: </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> zum lokalen Computer: </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>Keine Quelle ausgewählt</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Zielordner ausgewählt</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Nur-Ansicht-Modus - nicht zulässig!</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Dateifehler auf dem Client:</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>Datei nicht gefunden </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Fehler beim Lesen der Datei </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Fehler beim Erstellen der Datei </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Fehler beim Lesen der komprimierten Datei </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Fehler beim Erstellen der komprimierten Datei </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Fehler beim Dekomprimieren der Datei </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>Falsche Datei auf dem Gateway</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>Datei ist bereits vorhanden&#xd;fortfahren?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>SYSTEMINFORMATIONEN DES REMOTECOMPUTERS</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Informationskategorie</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Detaillierte Informationen</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Prozessor</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Arbeitsspeicher</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Netzwerkkarten</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Speichermedien</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Operating system</source>
        <translation>Betriebssystem</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Installed software</source>
        <translation>Installierte Software</translation>
    </message>
    <message>
        <source>Running tasks</source>
        <translation>Laufende Aufgaben</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Laufende Prozesse</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Dienste</translation>
    </message>
    <message>
        <source>Installed scripts</source>
        <translation>Installierte Skripts</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Terminate</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Dienst starten</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Dienst beenden</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Wird ausgeführt</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>Dienststatus wird abgefragt ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>Der Prozess kann nicht beendet werden</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>Kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>Prozess wird beendet</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>Das Beenden eines Prozesses kann unvorhersehbare Folgen haben&#xd;und den Computer in einem unbekannten Zustand hinterlassen.&#xd;Fortfahren?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>WIE MÖCHTEN SIE DIE INSTALLATIONSANLEITUNG SENDEN?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Wählen Sie die Sprache für den Remotebenutzer (E-Mail und Installationswebsite):</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>E-Mail über den Internet-Maildienst von Quorvia senden</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>E-Mail mit meinem Standard-E-Mail-Programm senden</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>Installationsanleitung in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Geben Sie die E-Mail-Adresse des&#xd;
Remotebenutzers ein und klicken Sie auf „E-Mail senden“.</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Klicken Sie auf „E-Mail von meinem Computer senden“,&#xd;
um das Standard-E-Mail-Programm zu verwenden.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Klicken Sie auf „Installationsanleitung in&#xd;
Zwischenablage kopieren“, wenn Sie die&#xd;
Installationsanleitung an anderer Stelle einfügen möchten.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>E-Mail senden</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>E-Mail von meinem Computer senden</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Installationsanleitung in Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>E-Mail-Adresse speichern</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>VERBINDUNGSEINSTELLUNGEN</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Registriertes Benutzerkonto</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Proxyservereinstellungen</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Proxyserver-Authentifizierung</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Einstellungen des Standardbrowsers verwenden</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Manuelle Proxyeinstellungen</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Wenn Sie Ihr Passwort vergessen haben,&#xd;
können Sie es hier zurücksetzen.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Passwort zurücksetzen</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Proxy automatisch erkennen</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Proxy testen</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Keine oder falsche Proxyeinstellungen eingegeben</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>Proxyeinstellungen in Ordnung</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>Proxyeinstellungen funktionieren nicht</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Proxyport außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Domäne:</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>ANWENDUNGSEINSTELLUNGEN</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Leistungseinstellungen beim Sitzungsstart</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Produktinformationen &amp;&amp; Ankündigungen</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Sitzungsdauer beim Trennen anzeigen</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Verbindungsmeldungen anzeigen</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Popup-Meldungen anzeigen</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Beim Sitzungsstart automatisch in den Vollbildmodus wechseln</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Remotebildschirm automatisch an das Vollbild anpassen</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Systemklänge aktivieren</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Sitzungsdaten protokollieren</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Remote-Hintergrundbild automatisch ausblenden</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Farbqualität: immer beginnen mit</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Bildschirmauflösung: immer wechseln zu</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Ankündigungen neuer Produkte anzeigen</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>BENUTZERHANDBUCH - ANWENDUNGSSYMBOLE</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Beendet die aktuelle Supportsitzung.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Zeigt allgemeine technische Informationen über den Remotecomputer an.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Aktualisiert die Anzeige, indem sofort ein neues Bild des Remotebildschirms angefordert wird.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Blendet das Hintergrundbild des Remotecomputers aus, um die Leistung zu verbessern.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Zeigt das Hintergrundbild des Remotecomputers an.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Zeigt den Windows Task-Manager auf dem Remotecomputer an.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Startet den Computer neu und stellt nach dem Start oder der Anmeldung automatisch wieder eine Verbindung her.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Druckt den Remotebildschirm auf Ihrem Drucker. Sind mehrere Drucker verfügbar, können Sie einen auswählen.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Startet eine Chatsitzung mit dem Remotebenutzer.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Lädt die Remote-Zwischenablage in Ihre Zwischenablage herunter. (NUR TEXT &amp;&amp; BILDER!)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Lädt Ihre Zwischenablage in die Remote-Zwischenablage hoch. (NUR TEXT &amp;&amp; BILDER!)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Startet die Dateiübertragung per Drag &amp;&amp; Drop.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Erstellt einen Screenshot und speichert ihn als JPG-Datei in Ihrem Quorvia-Anwendungsordner.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Startet die Aufzeichnung des Remotebildschirms in eine Videodatei (.avi) in Ihrem Quorvia-Anwendungsordner.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Beendet die Bildschirmaufzeichnung.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Wechselt in den Vollbildmodus.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Wechselt zurück in den normalen Fenstermodus. (Nur im Vollbildmodus verfügbar)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Passt den Remotebildschirm an Ihr Vollbild an. (Nur im Vollbildmodus verfügbar)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Sendet Strg-Alt-Entf an den Remotecomputer.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Verschiebt die Anwendung in den Infobereich und stellt sie wieder her, sobald sich der Remotebenutzer verbindet.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Dieser Fortschrittsbalken zeigt die Leistung der Verbindung an und warnt Sie, wenn die&#xd;
Verbindung kritisch wird.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Skaliert den Remotebildschirm vollständig auf Ihren Bildschirm.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Skaliert den Remotebildschirm proportional.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>ERSTE SCHRITTE MIT QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. QUORVIA konfigurieren</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Eine Supportsitzung starten</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>Klicken Sie im Menü auf „Einstellungen“ und dann auf „Verbindungseinstellungen konfigurieren“. Geben Sie Ihren Benutzernamen und Ihr Passwort&#xd;
in die entsprechenden Felder ein.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Konfigurieren Sie auch die Proxyeinstellungen entsprechend, wenn sich Ihr Computer hinter einem Proxyserver befindet</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Klicken Sie auf „Speichern“, um Ihre Verbindungseinstellungen zu speichern.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Starten Sie Quorvia und klicken Sie auf „Neue Supportsitzung starten“. Sie werden dann automatisch bei den&#xd;
Quorvia-Gateways im Internet angemeldet, und ein eindeutiger Sitzungsschlüssel wird erzeugt.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>Sie haben folgende Möglichkeiten:</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>E-MAIL ÜBER DEN INTERNET-MAILDIENST VON QUORVIA SENDEN:</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Geben Sie die E-Mail-Adresse des Remotebenutzers ein, und Quorvia&#xd;
sendet die E-Mail automatisch.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>E-MAIL MIT SITZUNGSSCHLÜSSEL SENDEN:</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Öffnet eine neue E-Mail in Ihrem Standard-E-Mail-Programm, die einen &#xd;
Installationslink und den Sitzungsschlüssel bereits enthält, sodass Sie nur noch&#xd;
die E-Mail-Adresse Ihres Kunden eingeben müssen.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>SITZUNGSSCHLÜSSEL IN DIE ZWISCHENABLAGE KOPIEREN:</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Kopiert den Installationslink und den Sitzungsschlüssel in Ihre Zwischenablage, sodass&#xd;
Sie beides selbst einfügen können.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> Der Remotebenutzer erhält Ihre E-Mail mit der Installationsanleitung. Sobald er auf den Link klickt,&#xd;
 wird der Quorvia-Client gestartet, und die Fernsteuerungssitzung beginnt.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Ist E-Mail keine Option, muss der Remotebenutzer folgende Adresse aufrufen:</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> und den Anweisungen folgen. Nach dem Start des Quorvia-Clients muss der Benutzer den Sitzungsschlüssel manuell eingeben.&#xd;
&#xd;
 Wenn die Fernsteuerungssitzung endet, deinstalliert sich der Quorvia-Client automatisch vom&#xd;
 Remotecomputer, und die ursprünglichen Desktopeinstellungen werden wiederhergestellt.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.&#xd;Wir bitten, die Unannehmlichkeiten zu entschuldigen.&#xd;Es wurde ein Fehlerprotokoll erstellt, das uns helfen kann, die Ursache des Fehlers zu finden.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>Sie können zusätzliche Anmerkungen zur Situation vor dem Fehler hinzufügen</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Quorvia-Support darf mich per E-Mail kontaktieren</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Fehlerbericht senden</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Vielen Dank, dass Sie diesen Fehlerbericht gesendet haben</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Zwischenablage hochladen</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Zwischenablage herunterladen</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Nur Text</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Gesamte Zwischenablage (max. 5 MB)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>Zwischenablage wird gesendet...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>Zwischenablage wird empfangen...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>Wichtige Daten können verloren gehen!&#xd;Remotecomputer neu starten?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>Möchten Sie die Verbindung nach dem Neustart automatisch wiederherstellen?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>Client wird heruntergefahren</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Dateizugriffsfehler</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Wird heruntergeladen: </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>Nicht mehr fragen</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>Ein neues Update ist erforderlich&#xd;
Jetzt aktualisieren?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>Eine neue Version ist verfügbar&#xd;
Jetzt aktualisieren?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>Sie haben nicht die erforderlichen Rechte für dieses Update.&#xd;Wenden Sie sich an Ihren lokalen Administrator.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Niederländisch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italienisch</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugiesisch</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Katalanisch</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Ungültige E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Fehler beim Starten der Netzwerkverbindungen</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Interner Datenbankfehler - bitte erneut versuchen</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>Abmeldung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>Abmeldung fehlgeschlagen: </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>EINSTELLUNGEN DER BILDSCHIRMAUFLÖSUNG</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Es wird dringend empfohlen, die Auflösung des Remotebildschirms&#xd;auf 800x600 Pixel umzustellen, um die Leistung zu verbessern.&#xd;Die ursprüngliche Bildschirmauflösung wird automatisch wiederhergestellt,&#xd;wenn eine Sitzung endet.&#xd;&#xd;Unter „Verbindungseinstellungen“ können Sie festlegen, dass bei jedem&#xd;Sitzungsstart automatisch auf 800x600 Pixel umgestellt wird.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Authentifizierung für den Zugriff auf das Proxy-Skript</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>Der Remotecomputer hat sich nach dem Neustart nicht wieder verbunden&#xd;Aktuelle Sitzung wird beendet</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Tastatur erfasst (rechte Strg-Taste gibt sie frei)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Bildschirmaufzeichnung beendet: Die Videodatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Unsicherer Dateiname abgelehnt:</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Keine Antwort vom Remotecomputer - Übertragung abgebrochen</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>Die empfangene Datei ist unvollständig und wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>In den Programmordner kann nicht geschrieben werden.&#xd;Das Update wurde gespeichert in:</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>Die Aufzeichnung konnte nicht als Video gespeichert werden.&#xd;Ihre Bilder sind aufbewahrt in:</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>Der Proxy ist nicht erreichbar oder hat die Verbindung abgelehnt.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>Der Proxy hat den Benutzernamen oder das Kennwort abgelehnt.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>Keine rechtzeitige Antwort über den Proxy.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>Strg rechts</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TASTEN WÄHREND EINER SITZUNG</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Während einer Sitzung geht jede Taste an den Remotecomputer. Halten Sie Strg rechts gedrückt und drücken Sie einen Buchstaben, um Quorvia einen Befehl zu geben; Strg rechts allein gibt die Tastatur frei und erfasst sie wieder.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Einladung zum Remote-Support von</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>IHR SITZUNGSSCHLÜSSEL LAUTET: ##&#xd;
&#xd;
Klicken Sie auf den folgenden Link und folgen Sie den Anweisungen, um Ihren Bildschirm für @@** freizugeben</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>Mit Quorvia kann ein Supportmitarbeiter Ihren Computer fernsteuern, um Ihnen zu helfen. Der Datenverkehr der Sitzung wird stets protokolliert und vollständig verschlüsselt, um die Daten Ihres Systems zu schützen. Sobald eine Sitzung begonnen hat, können Sie eine Chatsitzung starten, dem Supportmitarbeiter die Rechte „Nur Ansicht“ oder „Vollzugriff“ erteilen oder die Supportsitzung beenden, indem Sie mit der rechten Maustaste auf das Quorvia-Symbol im Infobereich klicken und die entsprechende Option auswählen.</translation>
    </message>
</context>
</TS>
