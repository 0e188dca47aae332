<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Connessione</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visualizza</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Trasferimento</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>on</source>
        <translation>attivo</translation>
    </message>
    <message>
        <source>off</source>
        <translation>disattivo</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aggiorna</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Cancel session</source>
        <translation>Annulla sessione</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Invia</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Riduci a icona</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sì</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Chiudi finestra</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nome utente:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Nome proxy:</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Porta proxy:</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Selezionare la lingua dell&apos;applicazione:</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>Nessun proxy rilevato</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Avvia una nuova sessione di assistenza</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Termina la sessione di assistenza</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>colori</translation>
    </message>
    <message>
        <source>Show statusbar</source>
        <translation>Mostra barra di stato</translation>
    </message>
    <message>
        <source>Hide statusbar</source>
        <translation>Nascondi barra di stato</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra degli strumenti</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Avvia registrazione della sessione</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Termina registrazione della sessione</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Riproduci sessione registrata</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Mostra i movimenti del mouse sul computer remoto</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Scarica gli Appunti dal client</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Carica gli Appunti sul client</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Trasferisci file</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Aggiorna schermo</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Informazioni sul PC client</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Configura impostazioni di connessione</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Configura impostazioni dell&apos;applicazione</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni sul programma</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Guida introduttiva</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Guida rapida</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia sul Web</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Assistenza tecnica</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Consulta la base di conoscenza</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Domande frequenti</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Cronologia delle versioni</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Informazioni sul prodotto online</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Contatta Quorvia</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Consulta il forum di assistenza</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Fai una domanda</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Modalità schermo</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Avvia sessione di chat</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Mostra sfondo</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Nascondi sfondo</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Avvia Gestione attività</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Riavvia il computer client</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Stampa lo schermo remoto</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Salva un&apos;istantanea dello schermo sul desktop</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>Passa alla modalità a schermo intero</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>Passa alla modalità schermo normale</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Adatta allo schermo</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Invia Ctrl-Alt-Canc</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Blocca la barra degli strumenti</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Sblocca la barra degli strumenti</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Attiva ridimensionamento proporzionale</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Attiva ridimensionamento completo</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Disattiva ridimensionamento proporzionale</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Disattiva ridimensionamento completo</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Gestisci il mio account online</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Invia una nuova richiesta di assistenza</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Collegamenti rapidi</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>Account Quorvia</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Assistenza clienti</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Locale</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Remoto</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Ora: </translation>
    </message>
    <message>
        <source>Selection error</source>
        <translation>Errore di selezione</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>Non connesso!</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>IP client:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operatore:</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(su richiesta del client)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>In alto</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>In basso</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>A sinistra</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>A destra</translation>
    </message>
    <message>
        <source>Enabling the remote wallpaper will significantly decrease the application performance!&#xd;The remote wallpaper automatically re-enables when a support session ends.&#xd;Do you really want to enable the remote wallpaper?</source>
        <translation>L&apos;attivazione dello sfondo remoto riduce notevolmente le prestazioni dell&apos;applicazione!&#xd;Lo sfondo remoto viene riattivato automaticamente al termine di una sessione di assistenza.&#xd;Attivare comunque lo sfondo remoto?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>Il ridimensionamento dello schermo non è consentito durante la registrazione della sessione</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>La registrazione dello schermo non è consentita quando il ridimensionamento è attivo</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>Info e-mail</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>Errore e-mail</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>Chiusura in corso ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>Disconnessione in corso ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Durata della sessione: </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Disconnessione effettuata</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Sessione terminata</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>Riavvio in corso ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>Connessione a </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>Impossibile impostare la modalità schermo selezionata</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Modalità schermo non disponibile</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Impostazioni di connessione incomplete</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>Impossibile avviare la registrazione</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>Riavvio del computer remoto in corso ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>Non consentito durante la chat</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Client connesso</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>Il computer remoto si sta riavviando</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>Riavvio/arresto rifiutato dal computer remoto&#xd;Chiudere tutti i programmi in esecuzione</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Client connesso alle: </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Client disconnesso alle: </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>Connessione con il client persa ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Sessione terminata dal client</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Contenuto degli Appunti troppo grande</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Errore durante l&apos;invio degli Appunti</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Appunti vuoti</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Errore di trasferimento degli Appunti</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Connessione al gateway scadente</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>o impostazioni di connessione errate</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Connessione scadente</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Attendere un momento ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>Connessione al gateway persa&#xd;Chiusura della sessione corrente</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>È stata inviata un&apos;e-mail all&apos;utente remoto.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Errore di recapito dell&apos;e-mail</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Questo programma può essere eseguito solo su Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>Impossibile creare la cartella Snapshots</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Errore durante il salvataggio dell&apos;immagine</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Impostazioni proxy richieste</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>Errore di negoziazione SSL</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>Certificato SSL non valido</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Modalità Controllo completo</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Modalità Sola visualizzazione</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Connesso al gateway</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Disconnesso dal gateway</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Connesso al client</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Disconnesso</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>Disconnettersi?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>Stato della connessione: </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>Terminare questa sessione?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>Nessuna stampante disponibile</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>L&apos;utente remoto sta scrivendo un messaggio</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Registra la chat</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>CHAT CON IL CLIENT</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>RICHIESTA DI CHAT DEL CLIENT</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Sessione di chat avviata </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Sessione di chat terminata </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Chat rifiutata - nessun utente connesso</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>Cartella non trovata</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Riavvolgi</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Interrompi</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>In attesa della connessione dell&apos;utente remoto...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Chiave di sessione: </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>URL di installazione:</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Annulla trasferimento</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>TRASFERIMENTO FILE</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Trasferire file in entrambe le direzioni con i pulsanti, con trascina &amp;&amp; rilascia o con copia &amp;&amp; incolla</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>Trasferimento del file locale: </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> al computer remoto: </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>Trasferimento del file remoto: </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> al computer locale: </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>Nessuna origine selezionata</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Cartella di destinazione selezionata</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Modalità Sola visualizzazione - non consentito!</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Errore file sul client:</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>File non trovato </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Errore di lettura del file </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Errore di creazione del file </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Errore di lettura del file compresso </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Errore di creazione del file compresso </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Errore di decompressione del file </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>File errato sul gateway</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>Il file esiste già&#xd;continuare?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>INFORMAZIONI DI SISTEMA REMOTO</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Categoria informazioni</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Informazioni dettagliate</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Processore</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Schede di rete</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Archiviazione</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastiera</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Operating system</source>
        <translation>Sistema operativo</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Generale</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Cartelle</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Installed software</source>
        <translation>Software installato</translation>
    </message>
    <message>
        <source>Running tasks</source>
        <translation>Attività in esecuzione</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Processi in esecuzione</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Servizi</translation>
    </message>
    <message>
        <source>Installed scripts</source>
        <translation>Script installati</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Terminate</source>
        <translation>Termina</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Avvia servizio</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Arresta servizio</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>In esecuzione</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrestato</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>Interrogazione dello stato del servizio ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>Impossibile arrestare il processo</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>Impossibile eliminare</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>Arresto del processo</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>La terminazione di un processo può avere effetti imprevedibili&#xd;e lasciare il computer in uno stato sconosciuto.&#xd;Continuare?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>COME SI DESIDERA INVIARE LE ISTRUZIONI DI INSTALLAZIONE?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Selezionare la lingua per l&apos;utente remoto (e-mail e sito di installazione):</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>Inviare un&apos;e-mail tramite il servizio di posta Internet di Quorvia</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>Inviare un&apos;e-mail con il mio programma di posta predefinito</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>Copiare le istruzioni di installazione negli Appunti</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Inserire l&apos;indirizzo e-mail dell&apos;utente&#xd;
remoto e fare clic sul pulsante &quot;Invia e-mail&quot;.</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Fare clic sul pulsante &quot;Invia e-mail dal mio computer&quot;&#xd;
per utilizzare il programma di posta predefinito.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Fare clic sul pulsante &quot;Copia istruzioni di installazione&#xd;
negli Appunti&quot; se si desidera incollare&#xd;
le istruzioni di installazione altrove.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>Invia e-mail</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>Invia e-mail dal mio computer</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Copia istruzioni di installazione negli Appunti</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>Salva indirizzo e-mail</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>IMPOSTAZIONI DI CONNESSIONE</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Account utente registrato</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Impostazioni del server proxy</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Autenticazione del server proxy</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Usa le impostazioni del browser predefinito</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Impostazioni proxy manuali</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Se si è dimenticata la password,&#xd;
è possibile reimpostarla qui.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Reimposta password</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Rileva proxy automaticamente</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Prova proxy</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Impostazioni proxy mancanti o errate</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>Impostazioni proxy corrette</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>Impostazioni proxy non funzionanti</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Porta proxy fuori intervallo</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Dominio:</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>IMPOSTAZIONI DELL&apos;APPLICAZIONE</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Impostazioni generali</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Impostazioni delle prestazioni all&apos;avvio della sessione</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Informazioni sui prodotti &amp;&amp; annunci</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Mostra la durata della sessione alla disconnessione</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Mostra i messaggi di connessione</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Mostra i messaggi pop-up</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Passa automaticamente alla modalità a schermo intero all&apos;avvio della sessione</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Ridimensiona automaticamente lo schermo remoto a schermo intero</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Attiva suoni di sistema</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Registra i dati della sessione</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Nascondi automaticamente lo sfondo remoto</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Qualità colore: inizia sempre con</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Risoluzione schermo: passa sempre a</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Mostra gli annunci di nuovi prodotti</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>GUIDA UTENTE - ICONE DELL&apos;APPLICAZIONE</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Termina la sessione di assistenza corrente.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Mostra informazioni tecniche generali sul computer remoto.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Aggiorna lo schermo richiedendo un aggiornamento immediato dello schermo remoto.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Nasconde lo sfondo del computer remoto per ottimizzare le prestazioni.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Mostra lo sfondo del computer remoto.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Mostra Gestione attività di Windows sul computer remoto.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Riavvia il computer e si riconnette automaticamente dopo l&apos;avvio o l&apos;accesso.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Stampa lo schermo remoto sulla stampante. Se sono disponibili più stampanti, è possibile sceglierne una.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Avvia una sessione di chat con l&apos;utente remoto.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Scarica gli Appunti remoti nei propri Appunti. (SOLO TESTO &amp;&amp; IMMAGINI!)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Carica i propri Appunti negli Appunti remoti. (SOLO TESTO &amp;&amp; IMMAGINI!)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Avvia l&apos;applicazione di trasferimento file con trascina &amp;&amp; rilascia.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Acquisisce un&apos;istantanea dello schermo e crea un file JPG nella cartella dell&apos;applicazione Quorvia.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Avvia la registrazione dello schermo remoto in un file video (.avi) nella cartella dell&apos;applicazione Quorvia.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Interrompe la registrazione dello schermo.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Passa alla modalità a schermo intero.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Torna alla modalità finestra normale. (Disponibile solo in modalità a schermo intero)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Ridimensiona lo schermo remoto per adattarlo allo schermo intero. (Disponibile solo in modalità a schermo intero)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Invia Ctrl-Alt-Canc al computer remoto.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Sposta l&apos;applicazione nell&apos;area di notifica e la ripristina quando l&apos;utente remoto si connette.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Questa barra di avanzamento mostra lo stato delle prestazioni della connessione e avvisa se la&#xd;
connessione diventa critica.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Ridimensiona completamente lo schermo remoto per adattarlo al proprio schermo.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Ridimensiona proporzionalmente lo schermo remoto.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>INTRODUZIONE A QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. Configurare QUORVIA</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Avviare una sessione di assistenza</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>Nel menu, fare clic su &quot;Impostazioni&quot; e poi su &quot;Configura impostazioni di connessione&quot;. Inserire il nome utente e la password&#xd;
negli appositi campi.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Configurare anche le impostazioni proxy se il computer si trova dietro un server proxy</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Fare clic su &quot;Salva&quot; per salvare le impostazioni di connessione.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Avviare Quorvia e fare clic sul pulsante &quot;Avvia una nuova sessione di assistenza&quot;. Verrà eseguito automaticamente l&apos;accesso ai&#xd;
gateway Quorvia su Internet e verrà generata una chiave di sessione univoca.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>È possibile scegliere tra:</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>INVIARE UN&apos;E-MAIL TRAMITE IL SERVIZIO DI POSTA INTERNET DI QUORVIA:</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Inserire l&apos;indirizzo e-mail dell&apos;utente remoto e Quorvia&#xd;
invierà il messaggio automaticamente.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>INVIARE UN&apos;E-MAIL CON LA CHIAVE DI SESSIONE:</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Apre un nuovo messaggio nel programma di posta predefinito con un &#xd;
collegamento di installazione e la chiave di sessione già nel testo: basta inserire&#xd;
l&apos;indirizzo e-mail del cliente.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>COPIARE LA CHIAVE DI SESSIONE NEGLI APPUNTI:</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Copia il collegamento di installazione e la chiave di sessione negli Appunti in modo da&#xd;
poterli incollare dove si desidera.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> L&apos;utente remoto riceve l&apos;e-mail con le istruzioni di installazione. Quando l&apos;utente fa clic sul collegamento,&#xd;
 il client Quorvia viene avviato e ha inizio la sessione di controllo remoto.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Se non è possibile usare l&apos;e-mail, l&apos;utente remoto deve visitare:</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> e seguire le istruzioni. All&apos;avvio del client Quorvia, l&apos;utente deve inserire manualmente la chiave di sessione.&#xd;
&#xd;
 Al termine della sessione di controllo remoto, il client Quorvia si disinstalla automaticamente dal computer&#xd;
 remoto e vengono ripristinate le impostazioni originali del desktop.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>Si è verificato un errore imprevisto.&#xd;Ci scusiamo per l&apos;inconveniente.&#xd;È stato creato un registro degli errori che potrà aiutarci a individuare l&apos;origine dell&apos;errore.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>È possibile aggiungere commenti sulla situazione che ha preceduto l&apos;errore</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Consenti all&apos;assistenza Quorvia di contattarmi via e-mail</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Invia segnalazione errore</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Grazie per aver inviato questa segnalazione di errore</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Caricamento Appunti</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Scaricamento Appunti</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Testo normale</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Appunti completi (limite 5 MB)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>Invio degli Appunti in corso...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>Ricezione degli Appunti in corso...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>Informazioni importanti potrebbero andare perse!&#xd;Riavviare il computer remoto?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>Riconnettersi automaticamente dopo il riavvio?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>Arresto del client in corso</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Errore di accesso al file</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Scaricamento di </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>Non chiedere più</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>È necessario un nuovo aggiornamento&#xd;
Aggiornare ora?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>È disponibile una nuova versione&#xd;
Aggiornare ora?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>Diritti insufficienti per eseguire questo aggiornamento.&#xd;Contattare l&apos;amministratore locale.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglese</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Olandese</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francese</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Tedesco</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spagnolo</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portoghese</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalano</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Risorse del computer</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Indirizzo e-mail non valido</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Errore durante l&apos;avvio delle connessioni di rete</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Errore interno del database - riprovare</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>Disconnessione non riuscita</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>Disconnessione non riuscita: </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>IMPOSTAZIONI DELLA RISOLUZIONE DELLO SCHERMO</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Si consiglia vivamente di impostare la risoluzione dello schermo remoto&#xd;a 800x600 pixel per migliorare le prestazioni.&#xd;La risoluzione originale viene ripristinata automaticamente&#xd;al termine della sessione.&#xd;&#xd;In &quot;Impostazioni di connessione&quot; è possibile impostare il passaggio automatico&#xd;a 800x600 pixel all&apos;avvio di ogni sessione.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Autenticazione per l&apos;accesso allo script del proxy</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>Il computer remoto non si è ricollegato dopo il riavvio&#xd;Chiusura della sessione corrente</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Tastiera acquisita (Ctrl destro per rilasciarla)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Registrazione dello schermo interrotta: impossibile scrivere il file video.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Nome file non sicuro rifiutato:</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Nessuna risposta dal computer remoto - trasferimento interrotto</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>Il file ricevuto è incompleto e non è stato salvato</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>Impossibile scrivere nella cartella del programma.&#xd;L&apos;aggiornamento è stato salvato in:</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>Impossibile salvare la registrazione come video.&#xd;I fotogrammi sono conservati in:</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>Il proxy non è raggiungibile o ha rifiutato la connessione.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>Il proxy ha rifiutato il nome utente o la password.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>Nessuna risposta in tempo attraverso il proxy.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>Ctrl destro</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TASTI DURANTE UNA SESSIONE</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Durante una sessione ogni tasto va al computer remoto. Tenere premuto Ctrl destro e premere una lettera per dare un comando a Quorvia; Ctrl destro da solo rilascia la tastiera e la acquisisce di nuovo.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Invito all&apos;assistenza remota da parte di</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>LA CHIAVE DI SESSIONE È: ##&#xd;
&#xd;
Fare clic sul collegamento qui sotto e seguire le istruzioni per condividere il proprio schermo con @@**</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>Quorvia consente a un addetto all&apos;assistenza di controllare il computer in remoto per fornire supporto. Il traffico della sessione viene sempre registrato e completamente crittografato per proteggere i dati del sistema. Una volta avviata la sessione, è possibile avviare una chat, concedere all&apos;addetto all&apos;assistenza i diritti di &apos;sola visualizzazione&apos; o di &apos;controllo completo&apos; oppure terminare la sessione di assistenza facendo clic con il pulsante destro del mouse sull&apos;icona di Quorvia nell&apos;area di notifica e selezionando l&apos;opzione desiderata.</translation>
    </message>
</context>
</TS>
