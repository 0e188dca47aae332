<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transferencia</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Cliente</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activado</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivado</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancel session</source>
        <translation>Cancelar sesión</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
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
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Cerrar ventana</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nombre de usuario:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Nombre del proxy:</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Puerto del proxy:</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Seleccione el idioma de la aplicación:</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>No se ha detectado ningún proxy</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Iniciar nueva sesión de soporte</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Finalizar sesión de soporte</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>colores</translation>
    </message>
    <message>
        <source>Show statusbar</source>
        <translation>Mostrar barra de estado</translation>
    </message>
    <message>
        <source>Hide statusbar</source>
        <translation>Ocultar barra de estado</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra de herramientas</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Iniciar grabación de la sesión</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Finalizar grabación de la sesión</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Reproducir sesión grabada</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Mostrar movimientos del ratón en el equipo remoto</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Descargar portapapeles del cliente</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Enviar portapapeles al cliente</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Transferir archivo</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Actualizar pantalla</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Obtener información del PC cliente</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Configurar la conexión</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Configurar la aplicación</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Primeros pasos</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Guía rápida del usuario</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia en la Web</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Soporte técnico</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Consultar la base de conocimientos</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Preguntas frecuentes</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Historial del producto</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Información del producto en línea</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Contactar con Quorvia</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Consultar el foro de soporte</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Hacer una pregunta</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Modos de pantalla</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Iniciar un chat</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Mostrar fondo de pantalla</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Ocultar fondo de pantalla</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Iniciar el Administrador de tareas</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Reiniciar el equipo cliente</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Imprimir la pantalla remota</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Guardar captura de pantalla en el escritorio</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>Cambiar a modo de pantalla completa</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>Cambiar a modo de pantalla normal</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajustar a la pantalla</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Enviar Ctrl-Alt-Supr</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Bloquear la barra de herramientas</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Desbloquear la barra de herramientas</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Activar escalado proporcional</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Activar escalado completo</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Desactivar escalado proporcional</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Desactivar escalado completo</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Gestionar mi cuenta en línea</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Enviar una nueva solicitud de soporte</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Enlaces rápidos</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>Su cuenta de Quorvia</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Atención al cliente</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Remoto</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Hora: </translation>
    </message>
    <message>
        <source>Selection error</source>
        <translation>Error de selección</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>¡No ha iniciado sesión!</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>IP del cliente:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operador:</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(solicitado por el cliente)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>Abajo</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Enabling the remote wallpaper will significantly decrease the application performance!&#xd;The remote wallpaper automatically re-enables when a support session ends.&#xd;Do you really want to enable the remote wallpaper?</source>
        <translation>¡Activar el fondo de pantalla remoto reducirá considerablemente el rendimiento de la aplicación!&#xd;El fondo de pantalla remoto se vuelve a activar automáticamente al finalizar una sesión de soporte.&#xd;¿Realmente desea activar el fondo de pantalla remoto?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>No se permite el escalado de pantalla durante la grabación de la sesión</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>No se permite grabar la pantalla cuando el escalado de pantalla está activado</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>Información de correo</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>Error de correo</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>Cerrando ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>Cerrando sesión ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Duración de la sesión: </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Sesión cerrada</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Sesión finalizada</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>Reiniciando ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>Conectando a </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>No se puede establecer el modo de pantalla seleccionado</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Modo de pantalla no disponible</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Configuración de conexión incompleta</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>No se pudo iniciar la grabación</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>Reiniciando el equipo remoto ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>No permitido durante el chat</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Cliente conectado</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>El equipo remoto se está reiniciando</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>Reinicio/apagado rechazado por el equipo remoto&#xd;Cierre todos los programas en ejecución</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Cliente conectado a las: </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Cliente desconectado a las: </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>Conexión con el cliente perdida ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Sesión finalizada por el cliente</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Contenido del portapapeles demasiado grande</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Error al enviar el portapapeles</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Portapapeles vacío</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Error de transferencia del portapapeles</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Mala conexión con la puerta de enlace</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>o configuración de conexión incorrecta</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Mala conexión</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Espere un momento ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>Conexión con la puerta de enlace perdida&#xd;Cerrando la sesión actual</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>Se ha enviado un correo electrónico al usuario remoto.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Error de entrega del correo</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Este programa solo se puede ejecutar en Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>No se pudo crear la carpeta Snapshots</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Error al guardar la imagen</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Se requiere la configuración del proxy</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>Error de negociación SSL</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>Certificado SSL no válido</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Modo Control total</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Modo Solo visualización</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Conectado a la puerta de enlace</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Desconectado de la puerta de enlace</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Conectado al cliente</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>¿Desconectar?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>Estado de la conexión: </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>¿Finalizar esta sesión?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>No hay impresoras disponibles</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>El usuario remoto está escribiendo un mensaje</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Registrar el chat</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>CHAT CON EL CLIENTE</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>SOLICITUD DE CHAT DEL CLIENTE</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Sesión de chat iniciada </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Sesión de chat finalizada </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Chat rechazado - ningún usuario conectado</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>Carpeta no encontrada</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Rebobinar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>Esperando a que se conecte el usuario remoto...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Clave de sesión: </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>URL de instalación:</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Cancelar transferencia</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>TRANSFERENCIA DE ARCHIVOS</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Transfiera archivos en ambas direcciones con los botones, arrastrar &amp;&amp; soltar o copiar &amp;&amp; pegar</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>Transfiriendo archivo local: </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> al equipo remoto: </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>Transfiriendo archivo remoto: </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> al equipo local: </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>No se ha seleccionado el origen</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Carpeta de destino seleccionada</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Modo Solo visualización - ¡no permitido!</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Error de archivo en el cliente:</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>Archivo no encontrado </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Error al leer el archivo </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Error al crear el archivo </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Error al leer el archivo comprimido </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Error al crear el archivo comprimido </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Error al descomprimir el archivo </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>Archivo incorrecto en la puerta de enlace</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>El archivo ya existe&#xd;¿continuar?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>INFORMACIÓN DEL SISTEMA REMOTO</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Categoría de información</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Información detallada</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Procesador</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Tarjetas de red</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Almacenamiento</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Teclado</translation>
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
        <translation>General</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Installed software</source>
        <translation>Software instalado</translation>
    </message>
    <message>
        <source>Running tasks</source>
        <translation>Tareas en ejecución</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Procesos en ejecución</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Servicios</translation>
    </message>
    <message>
        <source>Installed scripts</source>
        <translation>Scripts instalados</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Navegador</translation>
    </message>
    <message>
        <source>Terminate</source>
        <translation>Finalizar</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Iniciar servicio</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Detener servicio</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En ejecución</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>Consultando el estado del servicio ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>No se puede detener el proceso</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>No se puede eliminar</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>Deteniendo el proceso</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>Finalizar un proceso puede tener resultados imprevisibles&#xd;y dejar el equipo en un estado desconocido.&#xd;¿Continuar?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>¿CÓMO DESEA ENVIAR LAS INSTRUCCIONES DE INSTALACIÓN?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Seleccione el idioma del usuario remoto (correo electrónico y sitio web de instalación):</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>Enviar un correo electrónico mediante el servicio de correo de Quorvia</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>Enviar un correo electrónico con mi programa de correo predeterminado</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>Copiar las instrucciones de instalación en el portapapeles</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Introduzca la dirección de correo electrónico del&#xd;
usuario remoto y pulse el botón &quot;Enviar correo&quot;.</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Pulse el botón &quot;Enviar correo desde mi equipo&quot;&#xd;
para usar el programa de correo predeterminado.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Pulse el botón &quot;Copiar instrucciones de instalación&#xd;
al portapapeles&quot; si desea pegar las&#xd;
instrucciones de instalación en otro lugar.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>Enviar correo</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>Enviar correo desde mi equipo</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Copiar instrucciones de instalación al portapapeles</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>Guardar dirección de correo</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>CONFIGURACIÓN DE CONEXIÓN</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Cuenta de usuario registrada</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Configuración del servidor proxy</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Autenticación del servidor proxy</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Usar la configuración del navegador predeterminado</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Configuración manual del proxy</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Si ha olvidado su contraseña,&#xd;
puede restablecerla aquí.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Restablecer contraseña</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Detectar proxy automáticamente</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Probar proxy</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Configuración del proxy vacía o incorrecta</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>Configuración del proxy correcta</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>La configuración del proxy no funciona</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Puerto del proxy fuera de rango</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Dominio:</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>CONFIGURACIÓN DE LA APLICACIÓN</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Configuración general</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Configuración de rendimiento al iniciar la sesión</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Información de productos &amp;&amp; anuncios</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Mostrar la duración de la sesión al desconectar</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Mostrar mensajes de conexión</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Mostrar mensajes emergentes</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Cambiar automáticamente a modo de pantalla completa al iniciar la sesión</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Ajustar automáticamente la pantalla remota a pantalla completa</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Activar sonidos del sistema</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Registrar datos de la sesión</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Ocultar automáticamente el fondo de pantalla remoto</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Calidad de color: iniciar siempre con</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Resolución de pantalla: cambiar siempre a</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Mostrar anuncios de nuevos productos</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>GUÍA DEL USUARIO - ICONOS DE LA APLICACIÓN</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Detiene la sesión de soporte actual.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Muestra información técnica general sobre el equipo remoto.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Actualiza la pantalla solicitando una actualización inmediata de la pantalla remota.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Oculta el fondo de pantalla del equipo remoto para optimizar el rendimiento.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Muestra el fondo de pantalla del equipo remoto.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Muestra el Administrador de tareas de Windows en el equipo remoto.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Reinicia el equipo y vuelve a conectarse automáticamente tras el arranque o el inicio de sesión.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Imprime la pantalla remota en su impresora. Si hay varias impresoras disponibles, puede elegir una.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Inicia un chat con el usuario remoto.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Descarga el portapapeles remoto en su portapapeles. (¡SOLO TEXTO &amp;&amp; IMÁGENES!)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Envía su portapapeles al portapapeles remoto. (¡SOLO TEXTO &amp;&amp; IMÁGENES!)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Inicia la aplicación de transferencia de archivos mediante arrastrar &amp;&amp; soltar.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Realiza una captura de pantalla y crea un archivo JPG en su carpeta de la aplicación Quorvia.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Inicia la grabación de la pantalla remota en un archivo de vídeo (.avi) en su carpeta de la aplicación Quorvia.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Detiene la grabación de la pantalla.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Cambia al modo de pantalla completa.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Vuelve al modo de ventana normal. (Solo disponible en modo de pantalla completa)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Ajusta la pantalla remota a su pantalla completa. (Solo disponible en modo de pantalla completa)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Envía Ctrl-Alt-Supr al equipo remoto.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Mueve la aplicación al área de notificación y la restaura cuando se conecta el usuario remoto.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Esta barra de progreso muestra el estado del rendimiento de la conexión y le avisará si la&#xd;
conexión se vuelve crítica.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Escala completamente la pantalla remota para ajustarla a su pantalla.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Escala proporcionalmente la pantalla remota.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>PRIMEROS PASOS CON QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. Configurar QUORVIA</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Iniciar una sesión de soporte</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>En el menú, haga clic en &quot;Configuración&quot; y después en &quot;Configurar la conexión&quot;. Introduzca su nombre de usuario y su contraseña&#xd;
en los campos correspondientes.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Ajuste también la configuración del proxy si su equipo se encuentra detrás de un servidor proxy</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Haga clic en &quot;Guardar&quot; para guardar la configuración de conexión.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Inicie Quorvia y pulse el botón &quot;Iniciar nueva sesión de soporte&quot;. Así iniciará sesión automáticamente en las&#xd;
puertas de enlace de Quorvia en Internet y se generará una clave de sesión única.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>Puede elegir entre:</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>ENVIAR UN CORREO MEDIANTE EL SERVICIO DE CORREO DE QUORVIA:</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Introduzca la dirección de correo electrónico del usuario remoto y Quorvia&#xd;
enviará el mensaje automáticamente.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>ENVIAR UN CORREO CON LA CLAVE DE SESIÓN:</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Abre un mensaje nuevo en su programa de correo predeterminado con un &#xd;
hipervínculo de instalación y la clave de sesión ya incluidos en el texto, de modo que&#xd;
solo tiene que introducir la dirección de correo electrónico de su cliente.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>COPIAR LA CLAVE DE SESIÓN AL PORTAPAPELES:</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Copia el hipervínculo de instalación y la clave de sesión en su portapapeles para que&#xd;
pueda pegarlos usted mismo.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> El usuario remoto recibe su correo con las instrucciones de instalación. Cuando hace clic en el hipervínculo,&#xd;
 se inicia el cliente Quorvia y comienza la sesión de control remoto.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Si no es posible usar el correo electrónico, el usuario remoto debe visitar:</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> y seguir las instrucciones. Cuando se inicie el cliente Quorvia, el usuario debe introducir la clave de sesión manualmente.&#xd;
&#xd;
 Al finalizar la sesión de control remoto, el cliente Quorvia se desinstalará automáticamente del equipo&#xd;
 remoto y se restaurará la configuración original del escritorio.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>Se ha producido un error inesperado.&#xd;Lamentamos las molestias.&#xd;Se ha creado un registro de errores que puede ayudarnos a averiguar el origen del error.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>Puede añadir comentarios sobre la situación previa al error</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Permitir que el soporte de Quorvia me contacte por correo electrónico</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Enviar informe de errores</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Gracias por enviar este informe de errores</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Envío del portapapeles</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Descarga del portapapeles</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Texto sin formato</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Mapa de bits</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Portapapeles completo (límite de 5 MB)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>Enviando portapapeles...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>Recibiendo portapapeles...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>¡Puede perderse información importante!&#xd;¿Reiniciar el equipo remoto?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>¿Desea volver a conectarse automáticamente después del reinicio?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>Apagado del cliente en curso</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Error de acceso al archivo</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Descargando </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>No volver a preguntar</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>Se requiere una nueva actualización&#xd;
¿Actualizar ahora?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>Hay una nueva versión disponible&#xd;
¿Actualizar ahora?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>No tiene permisos suficientes para realizar esta actualización.&#xd;Póngase en contacto con su administrador local.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Neerlandés</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francés</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemán</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugués</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalán</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Mi PC</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Dirección de correo electrónico no válida</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Error al iniciar las conexiones de red</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Error interno de la base de datos - vuelva a intentarlo</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>Error al cerrar la sesión</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>Error al cerrar la sesión: </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>CONFIGURACIÓN DE LA RESOLUCIÓN DE PANTALLA</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Se recomienda encarecidamente cambiar la resolución de la pantalla remota&#xd;a 800x600 píxeles para mejorar el rendimiento.&#xd;La resolución original de la pantalla se restablecerá automáticamente&#xd;al finalizar la sesión.&#xd;&#xd;En &quot;Configuración de conexión&quot; puede configurar el cambio automático&#xd;a 800x600 píxeles al inicio de cada sesión.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Autenticación de acceso al script del proxy</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>El equipo remoto no se ha vuelto a conectar después del reinicio&#xd;Cerrando la sesión actual</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Teclado capturado (Ctrl derecho para liberarlo)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Grabación de la pantalla detenida: no se pudo escribir el archivo de vídeo.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Nombre de archivo no seguro rechazado:</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Sin respuesta del equipo remoto - transferencia detenida</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>El archivo recibido está incompleto y no se ha guardado</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>No se puede escribir en la carpeta del programa.&#xd;La actualización se ha guardado en:</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>No se pudo guardar la grabación como vídeo.&#xd;Sus imágenes se conservan en:</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>No se puede acceder al proxy o ha rechazado la conexión.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>El proxy ha rechazado el nombre de usuario o la contraseña.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>No hubo respuesta a tiempo a través del proxy.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>Ctrl derecho</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TECLAS DURANTE UNA SESIÓN</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Durante una sesión cada tecla va al equipo remoto. Mantenga pulsado Ctrl derecho y pulse una letra para dar una orden a Quorvia; Ctrl derecho solo libera el teclado y lo vuelve a capturar.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Invitación de soporte remoto de</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>SU CLAVE DE SESIÓN ES: ##&#xd;
&#xd;
Haga clic en el hipervínculo siguiente y siga las instrucciones para compartir su pantalla con @@**</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>Quorvia permite que un técnico de soporte controle su equipo de forma remota para ayudarle. El tráfico de la sesión siempre se registra y se cifra por completo para proteger los datos de su sistema. Una vez iniciada la sesión, puede iniciar un chat, conceder al técnico de soporte permisos de &apos;solo visualización&apos; o de &apos;control total&apos;, o finalizar la sesión de soporte haciendo clic con el botón derecho en el icono de Quorvia del área de notificación y seleccionando la opción correspondiente.</translation>
    </message>
</context>
</TS>
