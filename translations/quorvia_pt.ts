<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_PT" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Ligação</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transferência</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Cliente</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Definições</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ativado</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desativado</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informação</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Atualizar</translation>
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
        <translation>Cancelar sessão</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Fechar janela</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nome de utilizador:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Palavra-passe:</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Nome do proxy:</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Porta do proxy:</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Selecione o idioma da aplicação:</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>Nenhum proxy detetado</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Iniciar nova sessão de suporte</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Terminar sessão de suporte</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>cores</translation>
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
        <translation>Barra de ferramentas</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Iniciar gravação da sessão</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Terminar gravação da sessão</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Reproduzir sessão gravada</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Mostrar movimentos do rato no computador remoto</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Receber área de transferência do cliente</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Enviar área de transferência para o cliente</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Transferir ficheiro</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Atualizar ecrã</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Obter informações do PC cliente</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Configurar definições de ligação</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Configurar definições da aplicação</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Introdução</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Guia rápido do utilizador</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia na Web</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Suporte técnico</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Consultar a base de conhecimento</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Perguntas frequentes</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Histórico do produto</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Informação do produto online</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Contactar a Quorvia</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Consultar o fórum de suporte</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Fazer uma pergunta</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Modos de ecrã</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Iniciar um chat</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Mostrar imagem de fundo</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Ocultar imagem de fundo</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Iniciar o Gestor de tarefas</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Reiniciar o computador cliente</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Imprimir o ecrã remoto</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Guardar captura de ecrã no ambiente de trabalho</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>Mudar para modo de ecrã inteiro</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>Mudar para modo de ecrã normal</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajustar ao ecrã</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Enviar Ctrl-Alt-Del</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Bloquear a barra de ferramentas</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Desbloquear a barra de ferramentas</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Ativar escala proporcional</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Ativar escala completa</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Desativar escala proporcional</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Desativar escala completa</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Gerir a minha conta online</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Enviar um novo pedido de suporte</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Ligações rápidas</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>A sua conta Quorvia</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Apoio ao cliente</translation>
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
        <translation>Erro de seleção</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>Sem sessão iniciada!</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>IP do cliente:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operador:</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(pedido pelo cliente)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>Em cima</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>Em baixo</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>À esquerda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>À direita</translation>
    </message>
    <message>
        <source>Enabling the remote wallpaper will significantly decrease the application performance!&#xd;The remote wallpaper automatically re-enables when a support session ends.&#xd;Do you really want to enable the remote wallpaper?</source>
        <translation>Ativar a imagem de fundo remota reduz significativamente o desempenho da aplicação!&#xd;A imagem de fundo remota é reativada automaticamente quando uma sessão de suporte termina.&#xd;Tem a certeza de que pretende ativar a imagem de fundo remota?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>Não é permitido alterar a escala do ecrã durante a gravação da sessão</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>Não é permitido gravar o ecrã quando a escala do ecrã está ativada</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>Informação de e-mail</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>Erro de e-mail</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>A fechar ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>A terminar sessão ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Duração da sessão: </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Sessão encerrada</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Sessão terminada</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>A reiniciar ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>A ligar a </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>Não é possível definir o modo de ecrã selecionado</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Modo de ecrã não disponível</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Definições de ligação incompletas</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>Não foi possível iniciar a gravação</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>A reiniciar o computador remoto ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>Não permitido durante o chat</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Cliente ligado</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>O computador remoto está a reiniciar</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>Reinício/encerramento recusado pelo computador remoto&#xd;Feche todos os programas em execução</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Cliente ligado às: </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Cliente desligado às: </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>Ligação ao cliente perdida ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Sessão terminada pelo cliente</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Conteúdo da área de transferência demasiado grande</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Erro ao enviar a área de transferência</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Área de transferência vazia</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Erro ao transferir a área de transferência</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Má ligação ao gateway</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>ou definições de ligação incorretas</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Má ligação</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Aguarde um momento ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>Ligação ao gateway perdida&#xd;A fechar a sessão atual</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>Foi enviado um e-mail ao utilizador remoto.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Erro na entrega do e-mail</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Este programa só pode ser executado no Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>Não foi possível criar a pasta Snapshots</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Erro ao guardar a imagem</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Definições de proxy necessárias</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>Erro de negociação SSL</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>Certificado SSL inválido</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Modo Controlo total</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Modo Apenas visualização</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Ligado ao gateway</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Desligado do gateway</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Ligado ao cliente</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Desligado</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>Desligar?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>Estado da ligação: </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>Terminar esta sessão?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>Nenhuma impressora disponível</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>O utilizador remoto está a escrever uma mensagem</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Registar o chat</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>CHAT COM O CLIENTE</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>PEDIDO DE CHAT DO CLIENTE</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Sessão de chat iniciada </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Sessão de chat terminada </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Chat recusado - nenhum utilizador com sessão iniciada</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>Pasta não encontrada</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
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
        <translation>Parar</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>A aguardar a ligação do utilizador remoto...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Chave de sessão: </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>URL de instalação:</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Cancelar transferência</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>TRANSFERÊNCIA DE FICHEIROS</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Transfira ficheiros em ambas as direções com os botões, arrastar &amp;&amp; largar ou copiar &amp;&amp; colar</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>A transferir ficheiro local: </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> para o computador remoto: </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>A transferir ficheiro remoto: </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> para o computador local: </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>Origem não selecionada</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Pasta de destino selecionada</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Modo Apenas visualização - não permitido!</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Erro de ficheiro no cliente:</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>Ficheiro não encontrado </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Erro ao ler o ficheiro </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Erro ao criar o ficheiro </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Erro ao ler o ficheiro comprimido </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Erro ao criar o ficheiro comprimido </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Erro ao descomprimir o ficheiro </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>Ficheiro incorreto no gateway</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>O ficheiro já existe&#xd;continuar?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>INFORMAÇÕES DO SISTEMA REMOTO</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Categoria de informação</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Informação detalhada</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Processador</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memória</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Placas de rede</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Armazenamento</translation>
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
        <translation>Geral</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Pastas</translation>
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
        <translation>Tarefas em execução</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Processos em execução</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Serviços</translation>
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
        <translation>Terminar</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Iniciar serviço</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Parar serviço</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Em execução</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Parado</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>A consultar o estado do serviço ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>Não é possível parar o processo</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>Não pode ser eliminado</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>A parar o processo</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>Terminar um processo pode ter resultados imprevisíveis&#xd;e deixar o computador num estado desconhecido.&#xd;Continuar?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>COMO PRETENDE ENVIAR AS INSTRUÇÕES DE INSTALAÇÃO?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Selecione o idioma do utilizador remoto (e-mail e site de instalação):</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>Enviar um e-mail através do serviço de correio da Quorvia</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>Enviar um e-mail com o meu programa de e-mail predefinido</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>Copiar as instruções de instalação para a área de transferência</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Introduza o endereço de e-mail do utilizador&#xd;
remoto e clique no botão &quot;Enviar e-mail&quot;.</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Clique no botão &quot;Enviar e-mail a partir do meu computador&quot;&#xd;
para utilizar o programa de e-mail predefinido.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Clique no botão &quot;Copiar instruções de instalação para&#xd;
a área de transferência&quot; se pretender colar&#xd;
as instruções de instalação noutro local.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>Enviar e-mail</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>Enviar e-mail a partir do meu computador</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Copiar instruções de instalação para a área de transferência</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>Guardar endereço de e-mail</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>DEFINIÇÕES DE LIGAÇÃO</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Conta de utilizador registada</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Definições do servidor proxy</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Autenticação do servidor proxy</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Utilizar as definições do navegador predefinido</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Definições manuais de proxy</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Se se esqueceu da palavra-passe,&#xd;
pode repô-la aqui.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Repor palavra-passe</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Detetar proxy automaticamente</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Testar proxy</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Definições de proxy em falta ou incorretas</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>Definições de proxy corretas</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>As definições de proxy não funcionam</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Porta do proxy fora do intervalo</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Domínio:</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>DEFINIÇÕES DA APLICAÇÃO</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Definições gerais</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Definições de desempenho no início da sessão</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Informações de produtos &amp;&amp; anúncios</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Mostrar a duração da sessão ao desligar</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Mostrar mensagens de ligação</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Mostrar mensagens pop-up</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Mudar automaticamente para modo de ecrã inteiro no início da sessão</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Ajustar automaticamente o ecrã remoto ao ecrã inteiro</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Ativar sons do sistema</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Registar dados da sessão</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Ocultar automaticamente a imagem de fundo remota</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Qualidade de cor: iniciar sempre com</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Resolução do ecrã: mudar sempre para</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Mostrar anúncios de novos produtos</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>GUIA DO UTILIZADOR - ÍCONES DA APLICAÇÃO</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Termina a sessão de suporte atual.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Mostra informações técnicas gerais sobre o computador remoto.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Atualiza o ecrã pedindo uma atualização imediata do ecrã remoto.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Oculta a imagem de fundo do computador remoto para otimizar o desempenho.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Mostra a imagem de fundo do computador remoto.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Mostra o Gestor de tarefas do Windows no computador remoto.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Reinicia o computador e volta a ligar automaticamente após o arranque ou o início de sessão.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Imprime o ecrã remoto na sua impressora. Se existirem várias impressoras disponíveis, pode escolher uma.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Inicia um chat com o utilizador remoto.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Recebe a área de transferência remota na sua área de transferência. (APENAS TEXTO &amp;&amp; IMAGENS!)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Envia a sua área de transferência para a área de transferência remota. (APENAS TEXTO &amp;&amp; IMAGENS!)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Inicia a aplicação de transferência de ficheiros por arrastar &amp;&amp; largar.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Faz uma captura de ecrã e cria um ficheiro JPG na sua pasta da aplicação Quorvia.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Inicia a gravação do ecrã remoto num ficheiro de vídeo (.avi) na sua pasta da aplicação Quorvia.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Para a gravação do ecrã.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Muda para o modo de ecrã inteiro.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Volta ao modo de janela normal. (Disponível apenas no modo de ecrã inteiro)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Ajusta o ecrã remoto ao seu ecrã inteiro. (Disponível apenas no modo de ecrã inteiro)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Envia Ctrl-Alt-Del para o computador remoto.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Move a aplicação para a área de notificação e restaura-a quando o utilizador remoto se ligar.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Esta barra de progresso mostra o estado do desempenho da ligação e avisa-o se a&#xd;
ligação se tornar crítica.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Ajusta totalmente a escala do ecrã remoto ao seu ecrã.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Ajusta proporcionalmente a escala do ecrã remoto.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>INTRODUÇÃO AO QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. Configurar o QUORVIA</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Iniciar uma sessão de suporte</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>No menu, clique em &quot;Definições&quot; e depois em &quot;Configurar definições de ligação&quot;. Introduza o seu nome de utilizador e a palavra-passe&#xd;
nos campos apropriados.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Configure também as definições de proxy se o seu computador estiver atrás de um servidor proxy</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Clique em &quot;Guardar&quot; para guardar as definições de ligação.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Inicie o Quorvia e clique no botão &quot;Iniciar nova sessão de suporte&quot;. Será automaticamente ligado aos&#xd;
gateways Quorvia na Internet e será gerada uma chave de sessão única.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>Pode escolher entre:</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>ENVIAR UM E-MAIL ATRAVÉS DO SERVIÇO DE CORREIO DA QUORVIA:</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Introduza o endereço de e-mail do utilizador remoto e o Quorvia&#xd;
enviará a mensagem automaticamente.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>ENVIAR UM E-MAIL COM A CHAVE DE SESSÃO:</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Abre uma nova mensagem no seu programa de e-mail predefinido com uma &#xd;
hiperligação de instalação e a chave de sessão já no corpo da mensagem, pelo que&#xd;
só tem de introduzir o endereço de e-mail do seu cliente.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>COPIAR A CHAVE DE SESSÃO PARA A ÁREA DE TRANSFERÊNCIA:</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Copia a hiperligação de instalação e a chave de sessão para a sua área de transferência para que&#xd;
as possa colar onde quiser.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> O utilizador remoto recebe o seu e-mail com as instruções de instalação. Quando o utilizador clicar na hiperligação,&#xd;
 o cliente Quorvia é iniciado e começa a sessão de controlo remoto.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Se não for possível usar o e-mail, o utilizador remoto deve aceder a:</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> e seguir as instruções. Quando o cliente Quorvia for iniciado, o utilizador tem de introduzir a chave de sessão manualmente.&#xd;
&#xd;
 Quando a sessão de controlo remoto terminar, o cliente Quorvia será desinstalado automaticamente do computador&#xd;
 remoto e as definições originais do ambiente de trabalho serão repostas.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>Ocorreu um erro inesperado.&#xd;Lamentamos o incómodo.&#xd;Foi criado um registo de erros que nos pode ajudar a determinar a origem do erro.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>Pode adicionar comentários sobre a situação anterior ao erro</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Permitir que o suporte da Quorvia me contacte por e-mail</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Enviar relatório de erro</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Obrigado por enviar este relatório de erro</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Envio da área de transferência</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Receção da área de transferência</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Texto simples</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Mapa de bits</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Área de transferência completa (limite de 5 MB)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>A enviar a área de transferência...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>A receber a área de transferência...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>Podem perder-se informações importantes!&#xd;Reiniciar o computador remoto?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>Pretende voltar a ligar automaticamente após o reinício?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>Encerramento do cliente em curso</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Erro de acesso ao ficheiro</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>A transferir </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>Não voltar a perguntar</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>É necessária uma nova atualização&#xd;
Atualizar agora?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>Está disponível uma nova versão&#xd;
Atualizar agora?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>Não tem permissões suficientes para efetuar esta atualização.&#xd;Contacte o administrador local.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglês</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Neerlandês</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Francês</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemão</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espanhol</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Português</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalão</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>O meu computador</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Endereço de e-mail inválido</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Erro ao iniciar as ligações de rede</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Erro interno da base de dados - tente novamente</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>Falha ao terminar a sessão</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>Falha ao terminar a sessão: </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>DEFINIÇÕES DE RESOLUÇÃO DO ECRÃ</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Recomenda-se vivamente mudar a resolução do ecrã remoto&#xd;para 800x600 píxeis para melhorar o desempenho.&#xd;A resolução original do ecrã será reposta automaticamente&#xd;quando a sessão terminar.&#xd;&#xd;Em &quot;Definições de ligação&quot; pode configurar a mudança automática&#xd;para 800x600 píxeis sempre que uma sessão é iniciada.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Autenticação de acesso ao script do proxy</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>O computador remoto não voltou a ligar-se após o reinício&#xd;A fechar a sessão atual</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Teclado capturado (Ctrl direito para o libertar)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Gravação do ecrã parada: não foi possível escrever o ficheiro de vídeo.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Nome de ficheiro inseguro recusado:</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Sem resposta do computador remoto - transferência interrompida</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>O ficheiro recebido está incompleto e não foi guardado</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>Não é possível escrever na pasta do programa.&#xd;A atualização foi guardada em:</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>Não foi possível guardar a gravação como vídeo.&#xd;As imagens estão guardadas em:</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>O proxy não está acessível ou recusou a ligação.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>O proxy recusou o nome de utilizador ou a palavra-passe.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>Sem resposta a tempo através do proxy.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>Ctrl direito</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TECLAS DURANTE UMA SESSÃO</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Durante uma sessão cada tecla vai para o computador remoto. Mantenha premido Ctrl direito e prima uma letra para dar uma ordem ao Quorvia; Ctrl direito sozinho liberta o teclado e volta a capturá-lo.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Convite para suporte remoto de</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>A SUA CHAVE DE SESSÃO É: ##&#xd;
&#xd;
Clique na hiperligação abaixo e siga as instruções para partilhar o seu ecrã com @@**</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>O Quorvia permite que um técnico de suporte controle o seu computador remotamente para o ajudar. O tráfego da sessão é sempre registado e totalmente encriptado para proteger os dados do seu sistema. Depois de iniciada a sessão, pode iniciar um chat, conceder ao técnico de suporte os direitos &apos;apenas visualização&apos; ou &apos;controlo total&apos;, ou terminar a sessão de suporte clicando com o botão direito do rato no ícone do Quorvia na área de notificação e selecionando a opção pretendida.</translation>
    </message>
</context>
</TS>
