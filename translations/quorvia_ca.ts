<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca_ES" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Connexió</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visualitza</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transferència</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuració</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activat</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivat</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informació</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avís</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualitza</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel·la</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Desa</translation>
    </message>
    <message>
        <source>Cancel session</source>
        <translation>Cancel·la la sessió</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envia</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tanca</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimitza</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>D&apos;acord</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Tanca la finestra</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nom d&apos;usuari:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Contrasenya:</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Nom del servidor:</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Port del servidor:</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Seleccioneu la llengua de l&apos;aplicació:</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>No s&apos;ha detectat cap servidor intermediari</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Inicia una sessió de suport nova</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Finalitza la sessió de suport</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>colors</translation>
    </message>
    <message>
        <source>Show statusbar</source>
        <translation>Mostra la barra d&apos;estat</translation>
    </message>
    <message>
        <source>Hide statusbar</source>
        <translation>Amaga la barra d&apos;estat</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra d&apos;eines</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Inicia l&apos;enregistrament de la sessió</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Finalitza l&apos;enregistrament de la sessió</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Reprodueix una sessió enregistrada</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Mostra els moviments del ratolí a l&apos;ordinador remot</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Baixa el porta-retalls del client</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Envia el porta-retalls al client</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Transfereix un fitxer</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Actualitza la pantalla</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Obtén informació de l&apos;ordinador client</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Configura la connexió</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Configura l&apos;aplicació</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Quant a</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Primers passos</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Guia ràpida d&apos;usuari</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia al web</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Suport tècnic</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Consulta la base de coneixement</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Preguntes més freqüents</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Historial del producte</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Informació del producte en línia</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Contacta amb Quorvia</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Consulta el fòrum de suport</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Fes una pregunta</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Modes de pantalla</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Inicia una sessió de xat</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Mostra el fons de pantalla</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Amaga el fons de pantalla</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Inicia el Gestor de tasques</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Reinicia l&apos;ordinador client</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Imprimeix la pantalla remota</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Desa una captura de pantalla a l&apos;escriptori</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>Canvia al mode de pantalla completa</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>Canvia al mode de pantalla normal</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajusta a la pantalla</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Envia Ctrl-Alt-Supr</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Bloca la barra d&apos;eines</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Desbloca la barra d&apos;eines</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Activa l&apos;escalat proporcional</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Activa l&apos;escalat complet</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Desactiva l&apos;escalat proporcional</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Desactiva l&apos;escalat complet</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Gestiona el meu compte en línia</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Envia una sol·licitud de suport nova</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Enllaços ràpids</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>El vostre compte de Quorvia</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Atenció al client</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Remot</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Hora: </translation>
    </message>
    <message>
        <source>Selection error</source>
        <translation>Error de selecció</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>No heu iniciat la sessió!</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom:</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>IP del client:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operador:</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(sol·licitat pel client)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>A dalt</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>A baix</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>A l&apos;esquerra</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>A la dreta</translation>
    </message>
    <message>
        <source>Enabling the remote wallpaper will significantly decrease the application performance!&#xd;The remote wallpaper automatically re-enables when a support session ends.&#xd;Do you really want to enable the remote wallpaper?</source>
        <translation>Activar el fons de pantalla remot reduirà considerablement el rendiment de l&apos;aplicació!&#xd;El fons de pantalla remot es torna a activar automàticament quan finalitza una sessió de suport.&#xd;Segur que voleu activar el fons de pantalla remot?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>No es permet l&apos;escalat de pantalla durant l&apos;enregistrament de la sessió</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>No es permet enregistrar la pantalla quan l&apos;escalat de pantalla està activat</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>Informació del correu</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>Error del correu</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>S&apos;està tancant ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>S&apos;està tancant la sessió ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Durada de la sessió: </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Sessió tancada</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Sessió finalitzada</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>S&apos;està reiniciant ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>S&apos;està connectant a </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>No es pot establir el mode de pantalla seleccionat</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Mode de pantalla no disponible</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Configuració de la connexió incompleta</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>No s&apos;ha pogut iniciar l&apos;enregistrament</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>S&apos;està reiniciant l&apos;ordinador remot ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>No es permet durant el xat</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Client connectat</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>L&apos;ordinador remot s&apos;està reiniciant</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>L&apos;ordinador remot ha denegat el reinici/aturada&#xd;Tanqueu tots els programes en execució</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Client connectat a les: </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Client desconnectat a les: </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>S&apos;ha perdut la connexió amb el client ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Sessió finalitzada pel client</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Contingut del porta-retalls massa gran</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Error en enviar el porta-retalls</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Porta-retalls buit</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Error de transferència del porta-retalls</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Connexió deficient amb la passarel·la</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>o configuració de la connexió incorrecta</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Connexió deficient</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Espereu un moment ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>S&apos;ha perdut la connexió amb la passarel·la&#xd;S&apos;està tancant la sessió actual</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>S&apos;ha enviat un correu electrònic a l&apos;usuari remot.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Error en el lliurament del correu</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Aquest programa només es pot executar en Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>No s&apos;ha pogut crear la carpeta Snapshots</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Error en desar la imatge</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Cal la configuració del servidor intermediari</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>Error de negociació SSL</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>Certificat SSL no vàlid</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Mode Control total</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Mode Només visualització</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Connectat a la passarel·la</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Desconnectat de la passarel·la</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Connectat al client</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Desconnectat</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>Voleu desconnectar-vos?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>Estat de la connexió: </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>Voleu finalitzar aquesta sessió?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>No hi ha cap impressora disponible</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>L&apos;usuari remot està escrivint un missatge</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Registra el xat</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>XAT AMB EL CLIENT</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>SOL·LICITUD DE XAT DEL CLIENT</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Sessió de xat iniciada </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Sessió de xat finalitzada </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Xat denegat - cap usuari connectat</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>No s&apos;ha trobat la carpeta</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reprodueix</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Rebobina</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Atura</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>S&apos;està esperant que es connecti l&apos;usuari remot...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Clau de sessió: </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>URL d&apos;instal·lació:</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Cancel·la la transferència</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>TRANSFERÈNCIA DE FITXERS</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Transferiu fitxers en totes dues direccions amb els botons, arrossegant &amp;&amp; deixant anar o copiant &amp;&amp; enganxant</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>S&apos;està transferint el fitxer local: </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> a l&apos;ordinador remot: </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>S&apos;està transferint el fitxer remot: </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> a l&apos;ordinador local: </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>No s&apos;ha seleccionat l&apos;origen</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Carpeta de destinació seleccionada</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Mode Només visualització - no es permet!</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Error de fitxer al client:</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>No s&apos;ha trobat el fitxer </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Error en llegir el fitxer </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Error en crear el fitxer </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Error en llegir el fitxer comprimit </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Error en crear el fitxer comprimit </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Error en descomprimir el fitxer </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>Fitxer incorrecte a la passarel·la</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>El fitxer ja existeix&#xd;voleu continuar?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>INFORMACIÓ DEL SISTEMA REMOT</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Categoria d&apos;informació</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Informació detallada</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Maquinari</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Processador</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memòria</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Targetes de xarxa</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Emmagatzematge</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Teclat</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Operating system</source>
        <translation>Sistema operatiu</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetes</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Programari</translation>
    </message>
    <message>
        <source>Installed software</source>
        <translation>Programari instal·lat</translation>
    </message>
    <message>
        <source>Running tasks</source>
        <translation>Tasques en execució</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Processos en execució</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Serveis</translation>
    </message>
    <message>
        <source>Installed scripts</source>
        <translation>Scripts instal·lats</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Navegador</translation>
    </message>
    <message>
        <source>Terminate</source>
        <translation>Finalitza</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Inicia el servei</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Atura el servei</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En execució</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Aturat</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>S&apos;està consultant l&apos;estat del servei ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>No es pot aturar el procés</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>No es pot suprimir</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>S&apos;està aturant el procés</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>Finalitzar un procés pot tenir resultats imprevisibles&#xd;i deixar l&apos;ordinador en un estat desconegut.&#xd;Voleu continuar?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>COM VOLEU ENVIAR LES INSTRUCCIONS D&apos;INSTAL·LACIÓ?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Seleccioneu la llengua de l&apos;usuari remot (correu electrònic i lloc web d&apos;instal·lació):</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>Envia un correu electrònic amb el servei de correu de Quorvia</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>Envia un correu electrònic amb el meu programa de correu predeterminat</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>Copia les instruccions d&apos;instal·lació al porta-retalls</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Introduïu l&apos;adreça electrònica de l&apos;usuari&#xd;
remot i feu clic al botó &quot;Envia el correu&quot;.</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Feu clic al botó &quot;Envia el correu des del meu ordinador&quot;&#xd;
per utilitzar el programa de correu predeterminat.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Feu clic al botó &quot;Copia les instruccions d&apos;instal·lació&#xd;
al porta-retalls&quot; si voleu enganxar&#xd;
les instruccions d&apos;instal·lació en un altre lloc.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>Envia el correu</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>Envia el correu des del meu ordinador</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Copia les instruccions d&apos;instal·lació al porta-retalls</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>Desa l&apos;adreça electrònica</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>CONFIGURACIÓ DE LA CONNEXIÓ</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Compte d&apos;usuari registrat</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Configuració del servidor intermediari</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Autenticació del servidor intermediari</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Utilitza la configuració del navegador predeterminat</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Configuració manual</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Si heu oblidat la contrasenya,&#xd;
la podeu restablir aquí.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Restableix la contrasenya</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Detecció automàtica</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Prova el servidor</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Configuració del servidor intermediari buida o incorrecta</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>El servidor intermediari funciona</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>El servidor intermediari no funciona</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Port del servidor fora de l&apos;interval</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Domini:</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>CONFIGURACIÓ DE L&apos;APLICACIÓ</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Configuració general</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Configuració de rendiment en iniciar la sessió</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Informació de productes &amp;&amp; anuncis</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Mostra la durada de la sessió en desconnectar</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Mostra els missatges de connexió</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Mostra els missatges emergents</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Canvia automàticament al mode de pantalla completa en iniciar la sessió</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Ajusta automàticament la pantalla remota a pantalla completa</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Activa els sons del sistema</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Registra les dades de la sessió</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Amaga automàticament el fons de pantalla remot</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Qualitat del color: comença sempre amb</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Resolució de pantalla: canvia sempre a</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Mostra els anuncis de productes nous</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>GUIA D&apos;USUARI - ICONES DE L&apos;APLICACIÓ</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Atura la sessió de suport actual.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Mostra informació tècnica general sobre l&apos;ordinador remot.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Actualitza la pantalla sol·licitant una actualització immediata de la pantalla remota.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Amaga el fons de pantalla de l&apos;ordinador remot per optimitzar el rendiment.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Mostra el fons de pantalla de l&apos;ordinador remot.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Mostra el Gestor de tasques del Windows a l&apos;ordinador remot.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Reinicia l&apos;ordinador i es torna a connectar automàticament després de l&apos;arrencada o l&apos;inici de sessió.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Imprimeix la pantalla remota a la vostra impressora. Si hi ha diverses impressores disponibles, en podeu triar una.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Inicia una sessió de xat amb l&apos;usuari remot.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Baixa el porta-retalls remot al vostre porta-retalls. (NOMÉS TEXT &amp;&amp; IMATGES!)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Envia el vostre porta-retalls al porta-retalls remot. (NOMÉS TEXT &amp;&amp; IMATGES!)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Inicia l&apos;aplicació de transferència de fitxers per arrossegar &amp;&amp; deixar anar.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Fa una captura de pantalla i crea un fitxer JPG a la vostra carpeta de l&apos;aplicació Quorvia.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Inicia l&apos;enregistrament de la pantalla remota en un fitxer de vídeo (.avi) a la vostra carpeta de l&apos;aplicació Quorvia.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Atura l&apos;enregistrament de la pantalla.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Canvia al mode de pantalla completa.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Torna al mode de finestra normal. (Només disponible en mode de pantalla completa)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Ajusta la pantalla remota a la vostra pantalla completa. (Només disponible en mode de pantalla completa)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Envia Ctrl-Alt-Supr a l&apos;ordinador remot.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Mou l&apos;aplicació a l&apos;àrea de notificació i la restaura quan l&apos;usuari remot es connecta.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Aquesta barra de progrés mostra l&apos;estat del rendiment de la connexió i us avisarà si la&#xd;
connexió esdevé crítica.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Escala completament la pantalla remota per ajustar-la a la vostra pantalla.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Escala proporcionalment la pantalla remota.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>PRIMERS PASSOS AMB QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. Configureu QUORVIA</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Inicieu una sessió de suport</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>Al menú, feu clic a &quot;Configuració&quot; i després a &quot;Configura la connexió&quot;. Introduïu el vostre nom d&apos;usuari i la contrasenya&#xd;
als camps corresponents.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Definiu també la configuració del servidor intermediari si el vostre ordinador en fa servir un</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Feu clic a &quot;Desa&quot; per desar la configuració de la connexió.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Inicieu Quorvia i feu clic al botó &quot;Inicia una sessió de suport nova&quot;. Així us connectareu automàticament a les&#xd;
passarel·les de Quorvia a Internet i es generarà una clau de sessió única.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>Podeu triar entre:</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>ENVIAR UN CORREU AMB EL SERVEI DE CORREU DE QUORVIA:</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Introduïu l&apos;adreça electrònica de l&apos;usuari remot i Quorvia&#xd;
enviarà el missatge automàticament.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>ENVIAR UN CORREU AMB LA CLAU DE SESSIÓ:</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Obre un missatge nou al vostre programa de correu predeterminat amb un &#xd;
enllaç d&apos;instal·lació i la clau de sessió ja inclosos al cos del missatge, de manera que&#xd;
només cal que introduïu l&apos;adreça electrònica del vostre client.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>COPIAR LA CLAU DE SESSIÓ AL PORTA-RETALLS:</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Copia l&apos;enllaç d&apos;instal·lació i la clau de sessió al vostre porta-retalls perquè&#xd;
els pugueu enganxar on vulgueu.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> L&apos;usuari remot rep el vostre correu electrònic amb les instruccions d&apos;instal·lació. Quan l&apos;usuari fa clic a l&apos;enllaç,&#xd;
 s&apos;inicia el client Quorvia i comença la sessió de control remot.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Si no es pot fer servir el correu electrònic, l&apos;usuari remot ha d&apos;anar a:</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> i seguir les instruccions. Quan s&apos;inicia el client Quorvia, l&apos;usuari ha d&apos;introduir la clau de sessió manualment.&#xd;
&#xd;
 Quan finalitza la sessió de control remot, el client Quorvia es desinstal·la automàticament de l&apos;ordinador&#xd;
 remot i es restaura la configuració original de l&apos;escriptori.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>S&apos;ha produït un error inesperat.&#xd;Us demanem disculpes per les molèsties.&#xd;S&apos;ha creat un registre d&apos;errors que ens pot ajudar a trobar l&apos;origen de l&apos;error.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>Podeu afegir comentaris sobre la situació anterior a l&apos;error</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Permet que el suport de Quorvia em contacti per correu electrònic</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Envia l&apos;informe d&apos;error</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Gràcies per enviar aquest informe d&apos;error</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Enviament del porta-retalls</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Baixada del porta-retalls</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Text sense format</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Mapa de bits</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Porta-retalls complet (límit de 5 MB)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>S&apos;està enviant el porta-retalls...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>S&apos;està rebent el porta-retalls...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>Es pot perdre informació important!&#xd;Voleu reiniciar l&apos;ordinador remot?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>Voleu tornar a connectar automàticament després del reinici?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>S&apos;està aturant el client</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Error d&apos;accés al fitxer</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>S&apos;està baixant </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>No m&apos;ho torneu a preguntar</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>Cal una actualització nova&#xd;
Voleu actualitzar ara?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>Hi ha una versió nova disponible&#xd;
Voleu actualitzar ara?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>No teniu prou permisos per fer aquesta actualització.&#xd;Poseu-vos en contacte amb l&apos;administrador local.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglès</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Neerlandès</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francès</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemany</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italià</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espanyol</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portuguès</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Català</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>El meu ordinador</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Adreça electrònica no vàlida</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Error en iniciar les connexions de xarxa</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Error intern de la base de dades - torneu-ho a provar</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>No s&apos;ha pogut tancar la sessió</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>No s&apos;ha pogut tancar la sessió: </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>CONFIGURACIÓ DE LA RESOLUCIÓ DE PANTALLA</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Es recomana encaridament canviar la resolució de la pantalla remota&#xd;a 800x600 píxels per millorar el rendiment.&#xd;La resolució original de la pantalla es restaurarà automàticament&#xd;quan finalitzi la sessió.&#xd;&#xd;A &quot;Configuració de la connexió&quot; podeu configurar el canvi automàtic&#xd;a 800x600 píxels cada vegada que s&apos;inicia una sessió.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Autenticació d&apos;accés a l&apos;script del servidor intermediari</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>L&apos;ordinador remot no s&apos;ha tornat a connectar després del reinici&#xd;S&apos;està tancant la sessió actual</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Teclat capturat (Ctrl dret per alliberar-lo)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Enregistrament de la pantalla aturat: no s&apos;ha pogut escriure el fitxer de vídeo.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Nom de fitxer no segur rebutjat:</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Cap resposta de l&apos;ordinador remot - transferència aturada</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>El fitxer rebut és incomplet i no s&apos;ha desat</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>No es pot escriure a la carpeta del programa.&#xd;L&apos;actualització s&apos;ha desat a:</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>No s&apos;ha pogut desar l&apos;enregistrament com a vídeo.&#xd;Les imatges es conserven a:</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>El servidor intermediari no és accessible o ha rebutjat la connexió.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>El servidor intermediari ha rebutjat el nom d&apos;usuari o la contrasenya.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>No hi ha hagut resposta a temps a través del servidor intermediari.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>Ctrl dret</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Surt</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TECLES DURANT UNA SESSIÓ</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Durant una sessió cada tecla va a l&apos;ordinador remot. Manteniu premut Ctrl dret i premeu una lletra per donar una ordre a Quorvia; Ctrl dret sol allibera el teclat i el torna a capturar.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Invitació de suport remot de</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>LA VOSTRA CLAU DE SESSIÓ ÉS: ##&#xd;
&#xd;
Feu clic a l&apos;enllaç següent i seguiu les instruccions per compartir la vostra pantalla amb @@**</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>Quorvia permet que un tècnic de suport controli el vostre ordinador de manera remota per ajudar-vos. El trànsit de la sessió sempre es registra i es xifra completament per protegir les dades del vostre sistema. Un cop iniciada la sessió, podeu iniciar una sessió de xat, concedir al tècnic de suport els drets de &apos;només visualització&apos; o de &apos;control total&apos;, o finalitzar la sessió de suport fent clic amb el botó dret a la icona de Quorvia de l&apos;àrea de notificació i seleccionant l&apos;opció adequada.</translation>
    </message>
</context>
</TS>
