<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Verbinding</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Beeld</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Overdracht</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>on</source>
        <translation>aan</translation>
    </message>
    <message>
        <source>off</source>
        <translation>uit</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Waarschuwing</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Vernieuwen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Cancel session</source>
        <translation>Sessie annuleren</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Verzenden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimaliseren</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nee</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Venster sluiten</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Gebruikersnaam:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Wachtwoord:</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Proxynaam:</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Proxypoort:</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Selecteer de taal van de toepassing:</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>Geen proxy gevonden</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Nieuwe ondersteuningssessie starten</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Ondersteuningssessie beëindigen</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>kleuren</translation>
    </message>
    <message>
        <source>Show statusbar</source>
        <translation>Statusbalk tonen</translation>
    </message>
    <message>
        <source>Hide statusbar</source>
        <translation>Statusbalk verbergen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkbalk</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Sessieopname starten</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Sessieopname beëindigen</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Opgenomen sessie afspelen</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Muisbewegingen op externe computer tonen</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Klembord van client downloaden</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Klembord naar client uploaden</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Bestand overdragen</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Scherm vernieuwen</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Informatie over client-pc opvragen</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Verbindingsinstellingen configureren</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Toepassingsinstellingen configureren</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over dit programma</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Aan de slag</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Beknopte handleiding</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia op het web</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Technische ondersteuning</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Kennisbank raadplegen</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Veelgestelde vragen</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Productgeschiedenis</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Productinformatie online</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Contact opnemen met Quorvia</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Ondersteuningsforum raadplegen</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Een vraag stellen</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Schermmodi</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Chatsessie starten</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Bureaubladachtergrond tonen</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Bureaubladachtergrond verbergen</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Taakbeheer starten</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Clientcomputer opnieuw opstarten</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Extern scherm afdrukken</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Schermafbeelding op bureaublad opslaan</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>Overschakelen naar volledig scherm</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>Overschakelen naar normaal scherm</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Aanpassen aan scherm</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Ctrl-Alt-Del verzenden</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Werkbalk vastzetten</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Werkbalk losmaken</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Proportioneel schalen inschakelen</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Volledig schalen inschakelen</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Proportioneel schalen uitschakelen</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Volledig schalen uitschakelen</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Mijn account online beheren</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Nieuwe ondersteuningsaanvraag indienen</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Snelle links</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>Uw Quorvia-account</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Klantenondersteuning</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokaal</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Extern</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Tijd: </translation>
    </message>
    <message>
        <source>Selection error</source>
        <translation>Selectiefout</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>Niet aangemeld!</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Naam:</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>Client-IP:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Supportmedewerker:</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(op verzoek van de client)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Boven</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>Onder</translation>
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
        <translation>Het inschakelen van de externe bureaubladachtergrond vermindert de prestaties van de toepassing aanzienlijk!&#xd;De externe bureaubladachtergrond wordt automatisch weer ingeschakeld wanneer een ondersteuningssessie eindigt.&#xd;Wilt u de externe bureaubladachtergrond echt inschakelen?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>Schalen van het scherm is niet toegestaan tijdens het opnemen van een sessie</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>Schermopname is niet toegestaan wanneer schalen van het scherm is ingeschakeld</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>E-mailinformatie</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>E-mailfout</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>Afsluiten ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>Afmelden ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Sessieduur: </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Afgemeld</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Sessie beëindigd</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>Opnieuw opstarten ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>Verbinden met </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>Kan de geselecteerde schermmodus niet instellen</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Schermmodus niet beschikbaar</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Verbindingsinstellingen onvolledig</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>Kan de opname niet starten</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>Externe computer wordt opnieuw opgestart ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>Niet toegestaan tijdens het chatten</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Client aangemeld</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>De externe computer wordt opnieuw opgestart</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>Opnieuw opstarten/afsluiten geweigerd door de externe computer&#xd;Sluit alle actieve programma&apos;s</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Client verbonden om: </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Client losgekoppeld om: </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>Verbinding met client verloren ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Sessie beëindigd door client</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Inhoud van klembord te groot</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Fout bij verzenden van klembord</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Klembord is leeg</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Fout bij klembordoverdracht</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Slechte verbinding met gateway</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>of onjuiste verbindingsinstellingen</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Slechte verbinding</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Even geduld a.u.b. ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>Verbinding met gateway verloren&#xd;Huidige sessie wordt afgesloten</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>Er is een e-mail naar de externe gebruiker verzonden.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Fout bij bezorgen van e-mail</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Dit programma werkt alleen onder Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>Kan de map Snapshots niet aanmaken</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Fout bij opslaan van afbeelding</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Proxy-instellingen vereist</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>SSL-onderhandelingsfout</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>SSL-certificaat ongeldig</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Modus volledige controle</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Modus alleen bekijken</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Verbonden met gateway</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Verbinding met gateway verbroken</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Verbonden met client</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Niet verbonden</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>Verbinding verbreken?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>Verbindingsstatus: </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>Deze sessie beëindigen?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>Geen printers beschikbaar</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>De externe gebruiker typt een bericht</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Chat vastleggen</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>CHAT MET CLIENT</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>CHATVERZOEK VAN CLIENT</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Chatsessie gestart </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Chatsessie beëindigd </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Chat geweigerd - geen gebruiker aangemeld</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>Map niet gevonden</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Afspelen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauze</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Terugspoelen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>Wachten tot de externe gebruiker verbinding maakt...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Sessiesleutel: </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>Installatie-URL:</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Overdracht annuleren</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>BESTANDSOVERDRACHT</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Bestanden in beide richtingen overdragen met de knoppen, slepen &amp;&amp; neerzetten of kopiëren &amp;&amp; plakken</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>Lokaal bestand wordt overgedragen: </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> naar externe computer: </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>Extern bestand wordt overgedragen: </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> naar lokale computer: </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>Geen bron geselecteerd</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Doelmap geselecteerd</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Modus alleen bekijken - niet toegestaan!</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Bestandsfout op client:</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>Bestand niet gevonden </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Fout bij lezen van bestand </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Fout bij aanmaken van bestand </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Fout bij lezen van gecomprimeerd bestand </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Fout bij aanmaken van gecomprimeerd bestand </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Fout bij decomprimeren van bestand </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>Verkeerd bestand op gateway</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>Bestand bestaat al&#xd;doorgaan?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>SYSTEEMINFORMATIE EXTERNE COMPUTER</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Informatiecategorie</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Gedetailleerde informatie</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Processor</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Geheugen</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Netwerkkaarten</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Opslag</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Toetsenbord</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Systeem</translation>
    </message>
    <message>
        <source>Operating system</source>
        <translation>Besturingssysteem</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Mappen</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Installed software</source>
        <translation>Geïnstalleerde software</translation>
    </message>
    <message>
        <source>Running tasks</source>
        <translation>Actieve taken</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Actieve processen</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Services</translation>
    </message>
    <message>
        <source>Installed scripts</source>
        <translation>Geïnstalleerde scripts</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Terminate</source>
        <translation>Beëindigen</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Service starten</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Service stoppen</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Actief</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestopt</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>Servicestatus opvragen ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>Kan het proces niet stoppen</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>Kan niet worden verwijderd</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>Proces wordt gestopt</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>Het beëindigen van een proces kan onvoorspelbare gevolgen hebben&#xd;en de computer in een onbekende toestand achterlaten.&#xd;Doorgaan?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>HOE WILT U DE INSTALLATIE-INSTRUCTIES VERZENDEN?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Selecteer de taal voor de externe gebruiker (e-mail en installatiewebsite):</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>Een e-mail verzenden via Quorvia-internetmail</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>Een e-mail verzenden met mijn standaard e-mailprogramma</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>De installatie-instructies naar het klembord kopiëren</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Voer het e-mailadres van de externe&#xd;
gebruiker in en klik op de knop &quot;E-mail verzenden&quot;.</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Klik op de knop &quot;E-mail verzenden vanaf mijn computer&quot;&#xd;
om het standaard e-mailprogramma te gebruiken.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Klik op de knop &quot;Installatie-instructies naar&#xd;
klembord kopiëren&quot; als u de installatie-instructies&#xd;
ergens anders wilt plakken.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>E-mail verzenden</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>E-mail verzenden vanaf mijn computer</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Installatie-instructies naar klembord kopiëren</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>E-mailadres opslaan</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>VERBINDINGSINSTELLINGEN</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Geregistreerd gebruikersaccount</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Proxyserverinstellingen</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Verificatie bij proxyserver</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Instellingen van de standaardbrowser gebruiken</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Handmatige proxy-instellingen</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Bent u uw wachtwoord vergeten,&#xd;
dan kunt u het hier opnieuw instellen.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Wachtwoord resetten</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Proxy automatisch detecteren</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Proxy testen</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Geen of onjuiste proxy-instellingen ingevoerd</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>Proxy-instellingen in orde</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>Proxy-instellingen werken niet</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Proxypoort buiten bereik</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Domein:</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>TOEPASSINGSINSTELLINGEN</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Algemene instellingen</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Prestatie-instellingen bij start van sessie</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Productinformatie &amp;&amp; aankondigingen</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Sessieduur tonen bij verbreken van de verbinding</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Verbindingsberichten tonen</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Pop-upberichten tonen</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Bij start van sessie automatisch overschakelen naar volledig scherm</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Extern scherm automatisch aanpassen aan volledig scherm</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Systeemgeluiden inschakelen</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Sessiegegevens vastleggen</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Externe bureaubladachtergrond automatisch verbergen</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Kleurkwaliteit: altijd starten met</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Schermresolutie: altijd overschakelen naar</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Aankondigingen van nieuwe producten tonen</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>GEBRUIKERSHANDLEIDING - PICTOGRAMMEN VAN DE TOEPASSING</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Beëindigt de huidige ondersteuningssessie.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Toont algemene technische informatie over de externe computer.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Vernieuwt het scherm door direct een update van het externe scherm op te vragen.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Verbergt de bureaubladachtergrond van de externe computer om de prestaties te verbeteren.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Toont de bureaubladachtergrond van de externe computer.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Toont Windows Taakbeheer op de externe computer.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Start de computer opnieuw op en maakt na het opstarten of aanmelden automatisch opnieuw verbinding.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Drukt het externe scherm af op uw printer. Als er meerdere printers beschikbaar zijn, kunt u er een kiezen.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Start een chatsessie met de externe gebruiker.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Downloadt het externe klembord naar uw klembord. (ALLEEN TEKST &amp;&amp; AFBEELDINGEN!)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Uploadt uw klembord naar het externe klembord. (ALLEEN TEKST &amp;&amp; AFBEELDINGEN!)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Start de toepassing voor bestandsoverdracht met slepen &amp;&amp; neerzetten.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Maakt een schermafbeelding en slaat die als JPG-bestand op in uw Quorvia-toepassingsmap.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Start de opname van het externe scherm in een videobestand (.avi) in uw Quorvia-toepassingsmap.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Stopt de schermopname.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Schakelt over naar volledig scherm.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Schakelt terug naar de normale vensterweergave. (Alleen beschikbaar bij volledig scherm)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Past het externe scherm aan uw volledige scherm aan. (Alleen beschikbaar bij volledig scherm)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Verzendt Ctrl-Alt-Del naar de externe computer.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Verplaatst de toepassing naar het systeemvak en herstelt deze zodra de externe gebruiker verbinding maakt.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Deze voortgangsbalk toont de kwaliteit van de verbinding en waarschuwt u als de&#xd;
verbinding kritiek wordt.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Schaalt het externe scherm volledig naar uw scherm.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Schaalt het externe scherm proportioneel.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>AAN DE SLAG MET QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. QUORVIA configureren</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Een ondersteuningssessie starten</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>Klik in het menu op &quot;Instellingen&quot; en daarna op &quot;Verbindingsinstellingen configureren&quot;. Voer uw gebruikersnaam en wachtwoord in&#xd;
in de daarvoor bestemde velden.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Configureer ook de proxy-instellingen als uw computer zich achter een proxyserver bevindt</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Klik op &quot;Opslaan&quot; om uw verbindingsinstellingen op te slaan.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Start Quorvia en klik op de knop &quot;Nieuwe ondersteuningssessie starten&quot;. U wordt dan automatisch aangemeld bij de&#xd;
Quorvia-gateways op internet en er wordt een unieke sessiesleutel gegenereerd.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>U kunt kiezen uit:</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>E-MAIL VERZENDEN VIA QUORVIA-INTERNETMAIL:</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Voer het e-mailadres van de externe gebruiker in en Quorvia&#xd;
verzendt de e-mail automatisch.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>E-MAIL MET SESSIESLEUTEL VERZENDEN:</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Opent een nieuw e-mailbericht in uw standaard e-mailprogramma met een &#xd;
installatiehyperlink en de sessiesleutel al in de tekst, zodat u alleen nog&#xd;
het e-mailadres van uw klant hoeft in te voeren.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>SESSIESLEUTEL NAAR KLEMBORD KOPIËREN:</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Kopieert de installatiehyperlink en de sessiesleutel naar uw klembord, zodat&#xd;
u ze zelf kunt plakken.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> De externe gebruiker ontvangt uw e-mail met installatie-instructies. Wanneer de gebruiker op de hyperlink klikt,&#xd;
 wordt de Quorvia-client gestart en begint de sessie voor bediening op afstand.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Als e-mail geen optie is, moet de externe gebruiker naar de volgende website gaan:</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> en de instructies volgen. Wanneer de Quorvia-client is gestart, moet de gebruiker de sessiesleutel handmatig invoeren.&#xd;
&#xd;
 Wanneer de sessie voor bediening op afstand eindigt, wordt de Quorvia-client automatisch verwijderd van de externe&#xd;
 computer en worden de oorspronkelijke bureaubladinstellingen hersteld.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>Er is een onverwachte fout opgetreden.&#xd;Onze excuses voor het ongemak.&#xd;Er is een foutenlogboek aangemaakt dat ons kan helpen de oorzaak van de fout te achterhalen.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>U kunt opmerkingen toevoegen over de situatie vóór de fout</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Quorvia Support mag per e-mail contact met mij opnemen</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Foutrapport verzenden</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Bedankt voor het verzenden van dit foutrapport</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Klembord uploaden</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Klembord downloaden</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Tekst zonder opmaak</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Volledig klembord (max. 5 MB)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>Klembord wordt verzonden...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>Klembord wordt ontvangen...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>Belangrijke gegevens kunnen verloren gaan!&#xd;De externe computer opnieuw opstarten?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>Wilt u na het opnieuw opstarten automatisch opnieuw verbinding maken?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>Client wordt afgesloten</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Fout bij bestandstoegang</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Downloaden van </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>Dit niet meer vragen</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>Er is een nieuwe update vereist&#xd;
Nu bijwerken?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>Er is een nieuwe versie beschikbaar&#xd;
Nu bijwerken?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>U hebt onvoldoende rechten om deze update uit te voeren.&#xd;Neem contact op met uw lokale beheerder.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Engels</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Nederlands</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Frans</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Duits</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiaans</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spaans</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugees</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalaans</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Deze computer</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Ongeldig e-mailadres</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Fout bij het starten van de netwerkverbindingen</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Interne databasefout - probeer het opnieuw</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>Afmelden mislukt</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>Afmelden mislukt: </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>INSTELLINGEN SCHERMRESOLUTIE</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Het wordt sterk aanbevolen de schermresolutie van de externe computer&#xd;op 800x600 pixels in te stellen om de prestaties te verbeteren.&#xd;De oorspronkelijke schermresolutie wordt automatisch hersteld&#xd;wanneer een sessie eindigt.&#xd;&#xd;U kunt bij &quot;Verbindingsinstellingen&quot; instellen dat automatisch&#xd;bij elke sessiestart naar 800x600 pixels wordt overgeschakeld.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Verificatie voor toegang tot het proxyscript</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>De externe computer heeft na het opnieuw opstarten geen verbinding meer gemaakt&#xd;Huidige sessie wordt afgesloten</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Toetsenbord vastgehouden (rechter Ctrl geeft het vrij)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Schermopname gestopt: het videobestand kon niet worden geschreven.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Onveilige bestandsnaam geweigerd:</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Geen antwoord van de externe computer - overdracht gestopt</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>Het ontvangen bestand is onvolledig en is niet opgeslagen</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>In de programmamap kan niet worden geschreven.&#xd;De update is opgeslagen in:</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>De opname kon niet als video worden opgeslagen.&#xd;De beelden zijn bewaard in:</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>De proxy is niet bereikbaar of heeft de verbinding geweigerd.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>De proxy heeft de gebruikersnaam of het wachtwoord geweigerd.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>Geen antwoord via de proxy binnen de tijd.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>rechter Ctrl</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TOETSEN TIJDENS EEN SESSIE</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Tijdens een sessie gaat elke toets naar de externe computer. Houd rechter Ctrl ingedrukt en druk op een letter om Quorvia een opdracht te geven; rechter Ctrl alleen geeft het toetsenbord vrij en houdt het weer vast.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Uitnodiging voor ondersteuning op afstand van</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>UW SESSIESLEUTEL IS: ##&#xd;
&#xd;
Klik op de onderstaande hyperlink en volg de aanwijzingen om uw scherm te delen met @@**</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>Met Quorvia kan een supportmedewerker uw computer op afstand bedienen om u te helpen. Het sessieverkeer wordt altijd vastgelegd en volledig versleuteld om de gegevens van uw systeem te beschermen. Zodra een sessie is begonnen, kunt u een chatsessie starten, de supportmedewerker de rechten &apos;alleen bekijken&apos; of &apos;volledige controle&apos; geven, of de ondersteuningssessie beëindigen door met de rechtermuisknop op het Quorvia-pictogram in het systeemvak te klikken en de gewenste optie te kiezen.</translation>
    </message>
</context>
</TS>
