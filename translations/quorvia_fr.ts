<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>MessageCatalog</name>
    <message>
        <source>Connection</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transfert</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activé</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivé</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel session</source>
        <translation>Annuler la session</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close form</source>
        <translation>Fermer la fenêtre</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nom d&apos;utilisateur :</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Proxy name :</source>
        <translation>Nom du proxy :</translation>
    </message>
    <message>
        <source>Proxy port :</source>
        <translation>Port du proxy :</translation>
    </message>
    <message>
        <source>Select application language:</source>
        <translation>Choisissez la langue de l&apos;application :</translation>
    </message>
    <message>
        <source>No proxy detected</source>
        <translation>Aucun proxy détecté</translation>
    </message>
    <message>
        <source>Start new support session</source>
        <translation>Démarrer une nouvelle session d&apos;assistance</translation>
    </message>
    <message>
        <source>End support session</source>
        <translation>Terminer la session d&apos;assistance</translation>
    </message>
    <message>
        <source>colors</source>
        <translation>couleurs</translation>
    </message>
    <message>
        <source>Show statusbar</source>
        <translation>Afficher la barre d&apos;état</translation>
    </message>
    <message>
        <source>Hide statusbar</source>
        <translation>Masquer la barre d&apos;état</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Start session recording</source>
        <translation>Démarrer l&apos;enregistrement de la session</translation>
    </message>
    <message>
        <source>End session recording</source>
        <translation>Arrêter l&apos;enregistrement de la session</translation>
    </message>
    <message>
        <source>Replay recorded session</source>
        <translation>Rejouer une session enregistrée</translation>
    </message>
    <message>
        <source>Show mouse moves on remote</source>
        <translation>Afficher les mouvements de la souris à distance</translation>
    </message>
    <message>
        <source>Download clipboard from client</source>
        <translation>Télécharger le presse-papiers du client</translation>
    </message>
    <message>
        <source>Upload clipboard to client</source>
        <translation>Envoyer le presse-papiers au client</translation>
    </message>
    <message>
        <source>Transfer file</source>
        <translation>Transférer un fichier</translation>
    </message>
    <message>
        <source>Refresh screen</source>
        <translation>Actualiser l&apos;écran</translation>
    </message>
    <message>
        <source>Get info client PC</source>
        <translation>Informations sur le PC client</translation>
    </message>
    <message>
        <source>Configure connection settings</source>
        <translation>Configurer les paramètres de connexion</translation>
    </message>
    <message>
        <source>Configure application settings</source>
        <translation>Configurer les paramètres de l&apos;application</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Prise en main</translation>
    </message>
    <message>
        <source>Quick user guide</source>
        <translation>Guide rapide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Quorvia on the web</source>
        <translation>Quorvia sur le Web</translation>
    </message>
    <message>
        <source>Technical support</source>
        <translation>Support technique</translation>
    </message>
    <message>
        <source>Consult the knowledge base</source>
        <translation>Consulter la base de connaissances</translation>
    </message>
    <message>
        <source>Frequently asked questions</source>
        <translation>Foire aux questions</translation>
    </message>
    <message>
        <source>Product history</source>
        <translation>Historique du produit</translation>
    </message>
    <message>
        <source>Online product information</source>
        <translation>Informations produit en ligne</translation>
    </message>
    <message>
        <source>Contact Quorvia</source>
        <translation>Contacter Quorvia</translation>
    </message>
    <message>
        <source>Consult the support forum</source>
        <translation>Consulter le forum d&apos;assistance</translation>
    </message>
    <message>
        <source>Ask a question</source>
        <translation>Poser une question</translation>
    </message>
    <message>
        <source>Screen modes</source>
        <translation>Modes d&apos;affichage</translation>
    </message>
    <message>
        <source>Start chat session</source>
        <translation>Démarrer une session de chat</translation>
    </message>
    <message>
        <source>Show wallpaper</source>
        <translation>Afficher le fond d&apos;écran</translation>
    </message>
    <message>
        <source>Hide wallpaper</source>
        <translation>Masquer le fond d&apos;écran</translation>
    </message>
    <message>
        <source>Start taskmanager</source>
        <translation>Démarrer le Gestionnaire des tâches</translation>
    </message>
    <message>
        <source>Reboot client computer</source>
        <translation>Redémarrer l&apos;ordinateur client</translation>
    </message>
    <message>
        <source>Print remote screen</source>
        <translation>Imprimer l&apos;écran distant</translation>
    </message>
    <message>
        <source>Save screenshot to desktop</source>
        <translation>Enregistrer une capture d&apos;écran sur le Bureau</translation>
    </message>
    <message>
        <source>Switch to full screen mode</source>
        <translation>Passer en mode plein écran</translation>
    </message>
    <message>
        <source>Switch to normal screen mode</source>
        <translation>Passer en mode d&apos;affichage normal</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajuster à l&apos;écran</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del</source>
        <translation>Envoyer Ctrl-Alt-Suppr</translation>
    </message>
    <message>
        <source>Lock toolbar</source>
        <translation>Verrouiller la barre d&apos;outils</translation>
    </message>
    <message>
        <source>Release toolbar</source>
        <translation>Déverrouiller la barre d&apos;outils</translation>
    </message>
    <message>
        <source>Enable proportional scale</source>
        <translation>Activer la mise à l&apos;échelle proportionnelle</translation>
    </message>
    <message>
        <source>Enable full scale</source>
        <translation>Activer la mise à l&apos;échelle complète</translation>
    </message>
    <message>
        <source>Disable proportional scale</source>
        <translation>Désactiver la mise à l&apos;échelle proportionnelle</translation>
    </message>
    <message>
        <source>Disable full scale</source>
        <translation>Désactiver la mise à l&apos;échelle complète</translation>
    </message>
    <message>
        <source>Manage my account online</source>
        <translation>Gérer mon compte en ligne</translation>
    </message>
    <message>
        <source>Submit a new support request</source>
        <translation>Soumettre une nouvelle demande d&apos;assistance</translation>
    </message>
    <message>
        <source>Quick links</source>
        <translation>Liens rapides</translation>
    </message>
    <message>
        <source>Your Quorvia Account</source>
        <translation>Votre compte Quorvia</translation>
    </message>
    <message>
        <source>Customer Support</source>
        <translation>Service client</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Distant</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Heure : </translation>
    </message>
    <message>
        <source>Selection error</source>
        <translation>Erreur de sélection</translation>
    </message>
    <message>
        <source>Not logged on !</source>
        <translation>Non connecté !</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Client IP:</source>
        <translation>IP du client :</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Opérateur :</translation>
    </message>
    <message>
        <source>(requested by client)</source>
        <translation>(à la demande du client)</translation>
    </message>
    <message>
        <source>On top</source>
        <translation>En haut</translation>
    </message>
    <message>
        <source>On bottom</source>
        <translation>En bas</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>À gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>À droite</translation>
    </message>
    <message>
        <source>Enabling the remote wallpaper will significantly decrease the application performance!&#xd;The remote wallpaper automatically re-enables when a support session ends.&#xd;Do you really want to enable the remote wallpaper?</source>
        <translation>L&apos;activation du fond d&apos;écran distant réduit considérablement les performances de l&apos;application !&#xd;Le fond d&apos;écran distant est automatiquement rétabli à la fin d&apos;une session d&apos;assistance.&#xd;Voulez-vous vraiment activer le fond d&apos;écran distant ?</translation>
    </message>
    <message>
        <source>Screen scaling is not allowed during session recording</source>
        <translation>La mise à l&apos;échelle de l&apos;écran n&apos;est pas autorisée pendant l&apos;enregistrement de la session</translation>
    </message>
    <message>
        <source>Screen recording not allowed when screenscaling is enabled</source>
        <translation>L&apos;enregistrement de l&apos;écran n&apos;est pas autorisé lorsque la mise à l&apos;échelle est activée</translation>
    </message>
    <message>
        <source>Mail info</source>
        <translation>Information e-mail</translation>
    </message>
    <message>
        <source>Mail error</source>
        <translation>Erreur d&apos;e-mail</translation>
    </message>
    <message>
        <source>Closing ...</source>
        <translation>Fermeture ...</translation>
    </message>
    <message>
        <source>Logging off ...</source>
        <translation>Déconnexion ...</translation>
    </message>
    <message>
        <source>Session time : </source>
        <translation>Durée de la session : </translation>
    </message>
    <message>
        <source>Logged off</source>
        <translation>Déconnexion effectuée</translation>
    </message>
    <message>
        <source>Session ended</source>
        <translation>Session terminée</translation>
    </message>
    <message>
        <source>Rebooting ...</source>
        <translation>Redémarrage ...</translation>
    </message>
    <message>
        <source>Connecting to </source>
        <translation>Connexion à </translation>
    </message>
    <message>
        <source>Unable to set selected screen mode</source>
        <translation>Impossible d&apos;appliquer le mode d&apos;affichage sélectionné</translation>
    </message>
    <message>
        <source>Screen mode not available</source>
        <translation>Mode d&apos;affichage non disponible</translation>
    </message>
    <message>
        <source>Connection settings incomplete</source>
        <translation>Paramètres de connexion incomplets</translation>
    </message>
    <message>
        <source>Could not start recorder</source>
        <translation>Impossible de démarrer l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Rebooting remote computer ...</source>
        <translation>Redémarrage de l&apos;ordinateur distant ...</translation>
    </message>
    <message>
        <source>Not allowed while chatting</source>
        <translation>Non autorisé pendant une session de chat</translation>
    </message>
    <message>
        <source>Client logged on</source>
        <translation>Client connecté</translation>
    </message>
    <message>
        <source>Remote computer is rebooting</source>
        <translation>L&apos;ordinateur distant redémarre</translation>
    </message>
    <message>
        <source>Reboot/shutdown denied by peer&#xd;Close all running programs</source>
        <translation>Redémarrage/arrêt refusé par l&apos;ordinateur distant&#xd;Fermez tous les programmes en cours</translation>
    </message>
    <message>
        <source>Client connected at: </source>
        <translation>Client connecté à : </translation>
    </message>
    <message>
        <source>Client disconnected at: </source>
        <translation>Client déconnecté à : </translation>
    </message>
    <message>
        <source>Client connection lost ...</source>
        <translation>Connexion au client perdue ...</translation>
    </message>
    <message>
        <source>Session ended by client</source>
        <translation>Session terminée par le client</translation>
    </message>
    <message>
        <source>Clipboard content to large</source>
        <translation>Contenu du presse-papiers trop volumineux</translation>
    </message>
    <message>
        <source>Error sending clipboard</source>
        <translation>Erreur lors de l&apos;envoi du presse-papiers</translation>
    </message>
    <message>
        <source>No clipboard content</source>
        <translation>Presse-papiers vide</translation>
    </message>
    <message>
        <source>Clipboard transfer error</source>
        <translation>Erreur de transfert du presse-papiers</translation>
    </message>
    <message>
        <source>Bad connection to gateway</source>
        <translation>Mauvaise connexion à la passerelle</translation>
    </message>
    <message>
        <source>or incorrect connection settings</source>
        <translation>ou paramètres de connexion incorrects</translation>
    </message>
    <message>
        <source>Bad connection</source>
        <translation>Mauvaise connexion</translation>
    </message>
    <message>
        <source>Please wait a moment ...</source>
        <translation>Veuillez patienter ...</translation>
    </message>
    <message>
        <source>Gateway connection lost&#xd;Closing current session</source>
        <translation>Connexion à la passerelle perdue&#xd;Fermeture de la session en cours</translation>
    </message>
    <message>
        <source>An email is sent to the remote user.</source>
        <translation>Un e-mail a été envoyé à l&apos;utilisateur distant.</translation>
    </message>
    <message>
        <source>Mail delivery error</source>
        <translation>Erreur de remise de l&apos;e-mail</translation>
    </message>
    <message>
        <source>This program can only run on Windows NT</source>
        <translation>Ce programme ne fonctionne que sous Windows NT</translation>
    </message>
    <message>
        <source>Could not create Snapshots folder</source>
        <translation>Impossible de créer le dossier Snapshots</translation>
    </message>
    <message>
        <source>Error saving picture</source>
        <translation>Erreur lors de l&apos;enregistrement de l&apos;image</translation>
    </message>
    <message>
        <source>Proxy settings required</source>
        <translation>Paramètres du proxy requis</translation>
    </message>
    <message>
        <source>SSL negotiation error</source>
        <translation>Erreur de négociation SSL</translation>
    </message>
    <message>
        <source>SSL certificate not valid</source>
        <translation>Certificat SSL non valide</translation>
    </message>
    <message>
        <source>Full Control mode</source>
        <translation>Mode Contrôle total</translation>
    </message>
    <message>
        <source>View Only mode</source>
        <translation>Mode Affichage seul</translation>
    </message>
    <message>
        <source>Connected to gateway</source>
        <translation>Connecté à la passerelle</translation>
    </message>
    <message>
        <source>Disconnected from gateway</source>
        <translation>Déconnecté de la passerelle</translation>
    </message>
    <message>
        <source>Connected to client</source>
        <translation>Connecté au client</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Disconnect ?</source>
        <translation>Se déconnecter ?</translation>
    </message>
    <message>
        <source>Connection status : </source>
        <translation>État de la connexion : </translation>
    </message>
    <message>
        <source>End this session ?</source>
        <translation>Mettre fin à cette session ?</translation>
    </message>
    <message>
        <source>No printers available</source>
        <translation>Aucune imprimante disponible</translation>
    </message>
    <message>
        <source>The remote user is typing a message</source>
        <translation>L&apos;utilisateur distant écrit un message</translation>
    </message>
    <message>
        <source>Log chat</source>
        <translation>Journaliser le chat</translation>
    </message>
    <message>
        <source>CHAT WITH CLIENT</source>
        <translation>CHAT AVEC LE CLIENT</translation>
    </message>
    <message>
        <source>CLIENT CHAT REQUEST</source>
        <translation>DEMANDE DE CHAT DU CLIENT</translation>
    </message>
    <message>
        <source>Chat session started </source>
        <translation>Session de chat démarrée </translation>
    </message>
    <message>
        <source>Chat session ended </source>
        <translation>Session de chat terminée </translation>
    </message>
    <message>
        <source>Chat denied - no user logged</source>
        <translation>Chat refusé - aucun utilisateur connecté</translation>
    </message>
    <message>
        <source>Folder not found</source>
        <translation>Dossier introuvable</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Rembobiner</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Waiting for the remote user to connect...</source>
        <translation>En attente de la connexion de l&apos;utilisateur distant...</translation>
    </message>
    <message>
        <source>Session Key: </source>
        <translation>Clé de session : </translation>
    </message>
    <message>
        <source>Setup URL:</source>
        <translation>URL d&apos;installation :</translation>
    </message>
    <message>
        <source>Cancel transfer</source>
        <translation>Annuler le transfert</translation>
    </message>
    <message>
        <source>FILE TRANSFER</source>
        <translation>TRANSFERT DE FICHIERS</translation>
    </message>
    <message>
        <source>Transfer file in both directions using buttons, drag &amp;&amp; drop or copy &amp;&amp; paste</source>
        <translation>Transférez des fichiers dans les deux sens à l&apos;aide des boutons, par glisser &amp;&amp; déposer ou par copier &amp;&amp; coller</translation>
    </message>
    <message>
        <source>Transferring local file: </source>
        <translation>Transfert du fichier local : </translation>
    </message>
    <message>
        <source> to remote: </source>
        <translation> vers l&apos;ordinateur distant : </translation>
    </message>
    <message>
        <source>Transferring remote file: </source>
        <translation>Transfert du fichier distant : </translation>
    </message>
    <message>
        <source> to local: </source>
        <translation> vers l&apos;ordinateur local : </translation>
    </message>
    <message>
        <source>Source not selected</source>
        <translation>Aucune source sélectionnée</translation>
    </message>
    <message>
        <source>Destination folder selected</source>
        <translation>Dossier de destination sélectionné</translation>
    </message>
    <message>
        <source>View only mode - not allowed!</source>
        <translation>Mode Affichage seul - non autorisé !</translation>
    </message>
    <message>
        <source>Client file error:</source>
        <translation>Erreur de fichier sur le client :</translation>
    </message>
    <message>
        <source>File not found </source>
        <translation>Fichier introuvable </translation>
    </message>
    <message>
        <source>Error reading file </source>
        <translation>Erreur de lecture du fichier </translation>
    </message>
    <message>
        <source>Error creating file </source>
        <translation>Erreur de création du fichier </translation>
    </message>
    <message>
        <source>Error reading compressed file </source>
        <translation>Erreur de lecture du fichier compressé </translation>
    </message>
    <message>
        <source>Error creating compressed file </source>
        <translation>Erreur de création du fichier compressé </translation>
    </message>
    <message>
        <source>Error decompressing file </source>
        <translation>Erreur de décompression du fichier </translation>
    </message>
    <message>
        <source>Wrong file on gateway</source>
        <translation>Fichier incorrect sur la passerelle</translation>
    </message>
    <message>
        <source>File already exists&#xd;proceed ?</source>
        <translation>Le fichier existe déjà&#xd;continuer ?</translation>
    </message>
    <message>
        <source>REMOTE SYSTEM INFORMATION</source>
        <translation>INFORMATIONS SYSTÈME DISTANT</translation>
    </message>
    <message>
        <source>Info category</source>
        <translation>Catégorie d&apos;informations</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Informations détaillées</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Matériel</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Processeur</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Mémoire</translation>
    </message>
    <message>
        <source>NIC&apos;s</source>
        <translation>Cartes réseau</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Stockage</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Operating system</source>
        <translation>Système d&apos;exploitation</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Logiciels</translation>
    </message>
    <message>
        <source>Installed software</source>
        <translation>Logiciels installés</translation>
    </message>
    <message>
        <source>Running tasks</source>
        <translation>Tâches en cours</translation>
    </message>
    <message>
        <source>Running processes</source>
        <translation>Processus en cours</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Services</translation>
    </message>
    <message>
        <source>Installed scripts</source>
        <translation>Scripts installés</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Navigateur</translation>
    </message>
    <message>
        <source>Terminate</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Start service</source>
        <translation>Démarrer le service</translation>
    </message>
    <message>
        <source>Stop service</source>
        <translation>Arrêter le service</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En cours d&apos;exécution</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Querying service status ...</source>
        <translation>Interrogation de l&apos;état du service ...</translation>
    </message>
    <message>
        <source>Unable to stop process</source>
        <translation>Impossible d&apos;arrêter le processus</translation>
    </message>
    <message>
        <source>Can&apos;t be deleted</source>
        <translation>Suppression impossible</translation>
    </message>
    <message>
        <source>Stopping process</source>
        <translation>Arrêt du processus</translation>
    </message>
    <message>
        <source>Terminating a process can have unpredictable results&#xd;and may leave the computer in an unknown state.&#xd;Proceed ?</source>
        <translation>L&apos;arrêt d&apos;un processus peut avoir des conséquences imprévisibles&#xd;et laisser l&apos;ordinateur dans un état inconnu.&#xd;Continuer ?</translation>
    </message>
    <message>
        <source>HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?</source>
        <translation>COMMENT SOUHAITEZ-VOUS ENVOYER LES INSTRUCTIONS D&apos;INSTALLATION ?</translation>
    </message>
    <message>
        <source>Select the language for the remote user (email and setup website):</source>
        <translation>Choisissez la langue de l&apos;utilisateur distant (e-mail et site d&apos;installation) :</translation>
    </message>
    <message>
        <source>Send an email using Quorvia internet mail</source>
        <translation>Envoyer un e-mail via la messagerie Internet de Quorvia</translation>
    </message>
    <message>
        <source>Send an email using my default email software</source>
        <translation>Envoyer un e-mail avec mon logiciel de messagerie par défaut</translation>
    </message>
    <message>
        <source>Copy the setup instructions to the clipboard</source>
        <translation>Copier les instructions d&apos;installation dans le presse-papiers</translation>
    </message>
    <message>
        <source>Enter the email address of the remote&#xd;
user and hit the &quot;Send email&quot; button.</source>
        <translation>Saisissez l&apos;adresse e-mail de l&apos;utilisateur&#xd;
distant et cliquez sur le bouton « Envoyer l&apos;e-mail ».</translation>
    </message>
    <message>
        <source>Hit the &quot;Send email from my computer&quot;&#xd;
button to use the default email software.</source>
        <translation>Cliquez sur le bouton « Envoyer l&apos;e-mail depuis mon ordinateur »&#xd;
pour utiliser le logiciel de messagerie par défaut.</translation>
    </message>
    <message>
        <source>Hit the &quot;Copy setup instructions to&#xd;
clipboard&quot; button if you want to paste&#xd;
the setup instructions elsewhere.</source>
        <translation>Cliquez sur le bouton « Copier les instructions d&apos;installation&#xd;
dans le presse-papiers » si vous souhaitez coller&#xd;
les instructions d&apos;installation ailleurs.</translation>
    </message>
    <message>
        <source>Send email</source>
        <translation>Envoyer l&apos;e-mail</translation>
    </message>
    <message>
        <source>Send email from my computer</source>
        <translation>Envoyer l&apos;e-mail depuis mon ordinateur</translation>
    </message>
    <message>
        <source>Copy setup instructions to clipboard</source>
        <translation>Copier les instructions d&apos;installation dans le presse-papiers</translation>
    </message>
    <message>
        <source>Save email address</source>
        <translation>Enregistrer l&apos;adresse e-mail</translation>
    </message>
    <message>
        <source>CONNECTION SETTINGS</source>
        <translation>PARAMÈTRES DE CONNEXION</translation>
    </message>
    <message>
        <source>Registered user account</source>
        <translation>Compte utilisateur enregistré</translation>
    </message>
    <message>
        <source>Proxy server settings</source>
        <translation>Paramètres du serveur proxy</translation>
    </message>
    <message>
        <source>Proxy server authentication</source>
        <translation>Authentification auprès du serveur proxy</translation>
    </message>
    <message>
        <source>Use default browser settings</source>
        <translation>Utiliser les paramètres du navigateur par défaut</translation>
    </message>
    <message>
        <source>Manual Proxy settings</source>
        <translation>Paramètres manuels du proxy</translation>
    </message>
    <message>
        <source>If you forgot your password,&#xd;
You can reset it here.</source>
        <translation>Si vous avez oublié votre mot de passe,&#xd;
vous pouvez le réinitialiser ici.</translation>
    </message>
    <message>
        <source>Reset password</source>
        <translation>Réinitialiser le mot de passe</translation>
    </message>
    <message>
        <source>Auto detect proxy</source>
        <translation>Détecter automatiquement</translation>
    </message>
    <message>
        <source>Test proxy</source>
        <translation>Tester le proxy</translation>
    </message>
    <message>
        <source>No or incorrect proxy settings entered</source>
        <translation>Paramètres du proxy absents ou incorrects</translation>
    </message>
    <message>
        <source>Proxy settings OK</source>
        <translation>Paramètres du proxy corrects</translation>
    </message>
    <message>
        <source>Proxy settings failed</source>
        <translation>Les paramètres du proxy ne fonctionnent pas</translation>
    </message>
    <message>
        <source>Proxy port out of range</source>
        <translation>Port du proxy hors limites</translation>
    </message>
    <message>
        <source>Domain :</source>
        <translation>Domaine :</translation>
    </message>
    <message>
        <source>APPLICATION SETTINGS</source>
        <translation>PARAMÈTRES DE L&apos;APPLICATION</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message>
        <source>Performance settings on session start</source>
        <translation>Paramètres de performances au début de la session</translation>
    </message>
    <message>
        <source>Product information &amp;&amp; announcements</source>
        <translation>Informations produit &amp;&amp; annonces</translation>
    </message>
    <message>
        <source>Show session time on disconnect</source>
        <translation>Afficher la durée de la session à la déconnexion</translation>
    </message>
    <message>
        <source>Show connection messages</source>
        <translation>Afficher les messages de connexion</translation>
    </message>
    <message>
        <source>Show pup-up messages</source>
        <translation>Afficher les messages contextuels</translation>
    </message>
    <message>
        <source>Auto switch to full screen mode at session start</source>
        <translation>Passer automatiquement en mode plein écran au début de la session</translation>
    </message>
    <message>
        <source>Auto resize remote screen to fit full screen</source>
        <translation>Redimensionner automatiquement l&apos;écran distant en plein écran</translation>
    </message>
    <message>
        <source>Enable system sounds</source>
        <translation>Activer les sons système</translation>
    </message>
    <message>
        <source>Log session data</source>
        <translation>Journaliser les données de session</translation>
    </message>
    <message>
        <source>Auto hide the remote wallpaper</source>
        <translation>Masquer automatiquement le fond d&apos;écran distant</translation>
    </message>
    <message>
        <source>Color quality: Always start with</source>
        <translation>Qualité des couleurs : toujours démarrer avec</translation>
    </message>
    <message>
        <source>Screen resolution: Always switch to</source>
        <translation>Résolution d&apos;écran : toujours passer à</translation>
    </message>
    <message>
        <source>Show new product announcements</source>
        <translation>Afficher les annonces de nouveaux produits</translation>
    </message>
    <message>
        <source>USER GUIDE - APPLICATION ICONS</source>
        <translation>GUIDE DE L&apos;UTILISATEUR - ICÔNES DE L&apos;APPLICATION</translation>
    </message>
    <message>
        <source>Stop the current support session.</source>
        <translation>Arrête la session d&apos;assistance en cours.</translation>
    </message>
    <message>
        <source>Display&apos;s general technical information about the remote computer.</source>
        <translation>Affiche des informations techniques générales sur l&apos;ordinateur distant.</translation>
    </message>
    <message>
        <source>Refresh the screen by requesting an instant update of the remote screen.</source>
        <translation>Actualise l&apos;écran en demandant une mise à jour immédiate de l&apos;écran distant.</translation>
    </message>
    <message>
        <source>Hide the remote computer&apos;s wallpaper to optimize performance.</source>
        <translation>Masque le fond d&apos;écran de l&apos;ordinateur distant pour optimiser les performances.</translation>
    </message>
    <message>
        <source>Show the remote computer&apos; wallpaper.</source>
        <translation>Affiche le fond d&apos;écran de l&apos;ordinateur distant.</translation>
    </message>
    <message>
        <source>Show the Windows Task manager on the remote computer.</source>
        <translation>Affiche le Gestionnaire des tâches de Windows sur l&apos;ordinateur distant.</translation>
    </message>
    <message>
        <source>Reboot the computer and automatically reconnect after startup or logon.</source>
        <translation>Redémarre l&apos;ordinateur et se reconnecte automatiquement après le démarrage ou l&apos;ouverture de session.</translation>
    </message>
    <message>
        <source>Print the remote screen to your printer. You can choose one if multiple printers are available.</source>
        <translation>Imprime l&apos;écran distant sur votre imprimante. Si plusieurs imprimantes sont disponibles, vous pouvez en choisir une.</translation>
    </message>
    <message>
        <source>Start a chat session with the remote user.</source>
        <translation>Démarre une session de chat avec l&apos;utilisateur distant.</translation>
    </message>
    <message>
        <source>Download the remote clipboard to your clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Télécharge le presse-papiers distant dans votre presse-papiers. (TEXTE &amp;&amp; IMAGES UNIQUEMENT !)</translation>
    </message>
    <message>
        <source>Upload your clipboard to the remote clipboard. (TEXT &amp;&amp; PICTURES ONLY!)</source>
        <translation>Envoie votre presse-papiers vers le presse-papiers distant. (TEXTE &amp;&amp; IMAGES UNIQUEMENT !)</translation>
    </message>
    <message>
        <source>Start the drag &amp;&amp; drop file transfer application.</source>
        <translation>Démarre l&apos;application de transfert de fichiers par glisser &amp;&amp; déposer.</translation>
    </message>
    <message>
        <source>Takes a screenshot and creates a JPG file in your Quorvia application folder.</source>
        <translation>Réalise une capture d&apos;écran et crée un fichier JPG dans votre dossier d&apos;application Quorvia.</translation>
    </message>
    <message>
        <source>Start recording the remote screen to a movie file (.avi) in your Quorvia application folder.</source>
        <translation>Démarre l&apos;enregistrement de l&apos;écran distant dans un fichier vidéo (.avi) de votre dossier d&apos;application Quorvia.</translation>
    </message>
    <message>
        <source>Stop screen recording.</source>
        <translation>Arrête l&apos;enregistrement de l&apos;écran.</translation>
    </message>
    <message>
        <source>Switch to full screen mode.</source>
        <translation>Passe en mode plein écran.</translation>
    </message>
    <message>
        <source>Switch back to normal window mode. (Only available in full screen mode)</source>
        <translation>Revient au mode fenêtre normal. (Disponible uniquement en mode plein écran)</translation>
    </message>
    <message>
        <source>Resize the remote screen to fit your full screen. (Only available in full screen mode)</source>
        <translation>Redimensionne l&apos;écran distant pour l&apos;adapter à votre plein écran. (Disponible uniquement en mode plein écran)</translation>
    </message>
    <message>
        <source>Send Ctrl-Alt-Del to the remote computer.</source>
        <translation>Envoie Ctrl-Alt-Suppr à l&apos;ordinateur distant.</translation>
    </message>
    <message>
        <source>Move application to system tray and restore when the remote user connects.</source>
        <translation>Place l&apos;application dans la zone de notification et la restaure lorsque l&apos;utilisateur distant se connecte.</translation>
    </message>
    <message>
        <source>This progress bar displays the connection performance status and will alert you if the&#xd;
connection is critical.</source>
        <translation>Cette barre de progression indique l&apos;état des performances de la connexion et vous avertit si la&#xd;
connexion devient critique.</translation>
    </message>
    <message>
        <source>Completely scale the remote screen to fit your screen.</source>
        <translation>Met l&apos;écran distant entièrement à l&apos;échelle de votre écran.</translation>
    </message>
    <message>
        <source>Proportionally scale the remote screen.</source>
        <translation>Met l&apos;écran distant à l&apos;échelle de façon proportionnelle.</translation>
    </message>
    <message>
        <source>GETTING STARTED WITH QUORVIA ACCESS</source>
        <translation>PRISE EN MAIN DE QUORVIA ACCESS</translation>
    </message>
    <message>
        <source>1. Configure QUORVIA</source>
        <translation>1. Configurer QUORVIA</translation>
    </message>
    <message>
        <source>2. Start a support session</source>
        <translation>2. Démarrer une session d&apos;assistance</translation>
    </message>
    <message>
        <source>In the menu, click on &quot;Settings&quot; and then on &quot;Configure connection settings&quot; Enter your username and password&#xd;
in the appropriate fields.</source>
        <translation>Dans le menu, cliquez sur « Paramètres » puis sur « Configurer les paramètres de connexion ». Saisissez votre nom d&apos;utilisateur et votre mot de passe&#xd;
dans les champs prévus à cet effet.</translation>
    </message>
    <message>
        <source>Also configure the proxy settings accordingly if your computer is behind a Proxy server</source>
        <translation>Configurez également les paramètres du proxy si votre ordinateur se trouve derrière un serveur proxy</translation>
    </message>
    <message>
        <source>Click on &quot;Save&quot; to save your connection settings.</source>
        <translation>Cliquez sur « Enregistrer » pour enregistrer vos paramètres de connexion.</translation>
    </message>
    <message>
        <source>Start Quorvia and hit the &quot;Start a new support session&quot; button. This will automatically log you in to the&#xd;
Quorvia gateways on the internet and generate a unique session key.</source>
        <translation>Lancez Quorvia et cliquez sur le bouton « Démarrer une nouvelle session d&apos;assistance ». Vous êtes alors automatiquement connecté aux&#xd;
passerelles Quorvia sur Internet et une clé de session unique est générée.</translation>
    </message>
    <message>
        <source>You can choose between:</source>
        <translation>Vous avez le choix entre :</translation>
    </message>
    <message>
        <source>SEND MAIL USING QUORVIA INTERNET MAIL:</source>
        <translation>ENVOYER UN E-MAIL VIA LA MESSAGERIE INTERNET DE QUORVIA :</translation>
    </message>
    <message>
        <source>Enter the email address of the remote user and Quorvia&#xd;
will send the mail automatically.</source>
        <translation>Saisissez l&apos;adresse e-mail de l&apos;utilisateur distant et Quorvia&#xd;
enverra le message automatiquement.</translation>
    </message>
    <message>
        <source>SEND MAIL WITH SESSION KEY:</source>
        <translation>ENVOYER UN E-MAIL AVEC LA CLÉ DE SESSION :</translation>
    </message>
    <message>
        <source>Starts a new email message from your default email software with a &#xd;
Setup Hyperlink and the session key already in the body,so you only have to enter&#xd;
your customers email address.</source>
        <translation>Ouvre un nouveau message dans votre logiciel de messagerie par défaut avec un &#xd;
lien hypertexte d&apos;installation et la clé de session déjà dans le corps du message ; il ne vous reste qu&apos;à saisir&#xd;
l&apos;adresse e-mail de votre client.</translation>
    </message>
    <message>
        <source>COPY SESSION KEY TO CLIPBOARD:</source>
        <translation>COPIER LA CLÉ DE SESSION DANS LE PRESSE-PAPIERS :</translation>
    </message>
    <message>
        <source>Copies the Setup Hyperlink and the Session key to your clipboard so that&#xd;
you can paste it yourself.</source>
        <translation>Copie le lien hypertexte d&apos;installation et la clé de session dans votre presse-papiers afin que&#xd;
vous puissiez les coller vous-même.</translation>
    </message>
    <message>
        <source> The remote user receives your email with setup instructions. When the user clicks on the hyperlink,&#xd;
 the Quorvia client will launch and remote control session starts.</source>
        <translation> L&apos;utilisateur distant reçoit votre e-mail avec les instructions d&apos;installation. Lorsqu&apos;il clique sur le lien,&#xd;
 le client Quorvia se lance et la session de contrôle à distance commence.</translation>
    </message>
    <message>
        <source> If email is no option, than the remote must surf to:</source>
        <translation> Si l&apos;e-mail n&apos;est pas envisageable, l&apos;utilisateur distant doit se rendre à l&apos;adresse :</translation>
    </message>
    <message>
        <source> and follow the instructions. When the Quorvia client is started, the user must enter the session key manually.&#xd;
&#xd;
 When the remote control session ends, the Quorvia client will automatically uninstall from the remote&#xd;
 computer and the original desktop settings will be restored.</source>
        <translation> et suivre les instructions. Une fois le client Quorvia lancé, l&apos;utilisateur doit saisir manuellement la clé de session.&#xd;
&#xd;
 À la fin de la session de contrôle à distance, le client Quorvia se désinstalle automatiquement de l&apos;ordinateur&#xd;
 distant et les paramètres d&apos;origine du bureau sont rétablis.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.&#xd;We are sorry for this inconvenience.&#xd;An error log has been created which may help us to trace the origin of the error.</source>
        <translation>Une erreur inattendue s&apos;est produite.&#xd;Nous vous prions de nous excuser pour ce désagrément.&#xd;Un journal d&apos;erreurs a été créé ; il pourra nous aider à déterminer l&apos;origine de l&apos;erreur.</translation>
    </message>
    <message>
        <source>You can add additional comments of the situation prior to the error</source>
        <translation>Vous pouvez ajouter des commentaires sur la situation qui a précédé l&apos;erreur</translation>
    </message>
    <message>
        <source>Allow Quorvia Support to contact me by e-mail</source>
        <translation>Autoriser le support Quorvia à me contacter par e-mail</translation>
    </message>
    <message>
        <source>Send error report</source>
        <translation>Envoyer le rapport d&apos;erreur</translation>
    </message>
    <message>
        <source>Thank you for sending this error report</source>
        <translation>Merci d&apos;avoir envoyé ce rapport d&apos;erreur</translation>
    </message>
    <message>
        <source>Clipboard upload</source>
        <translation>Envoi du presse-papiers</translation>
    </message>
    <message>
        <source>Clipboard download</source>
        <translation>Téléchargement du presse-papiers</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Texte brut</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Image bitmap</translation>
    </message>
    <message>
        <source>Complete clipboard (5MB limit)</source>
        <translation>Presse-papiers complet (limite de 5 Mo)</translation>
    </message>
    <message>
        <source>Sending clipboard...</source>
        <translation>Envoi du presse-papiers...</translation>
    </message>
    <message>
        <source>Receiving clipboard...</source>
        <translation>Réception du presse-papiers...</translation>
    </message>
    <message>
        <source>Critical information may be lost !&#xd;Reboot the remote computer ?</source>
        <translation>Des informations importantes risquent d&apos;être perdues !&#xd;Redémarrer l&apos;ordinateur distant ?</translation>
    </message>
    <message>
        <source>Do you want to reconnect automatically after reboot?</source>
        <translation>Voulez-vous vous reconnecter automatiquement après le redémarrage ?</translation>
    </message>
    <message>
        <source>Client shutdown in progress</source>
        <translation>Arrêt du client en cours</translation>
    </message>
    <message>
        <source>File Access error</source>
        <translation>Erreur d&apos;accès au fichier</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Téléchargement de </translation>
    </message>
    <message>
        <source>Never ask me again</source>
        <translation>Ne plus me demander</translation>
    </message>
    <message>
        <source>A new update is required&#xd;
Upgrade now?</source>
        <translation>Une nouvelle mise à jour est requise&#xd;
Mettre à jour maintenant ?</translation>
    </message>
    <message>
        <source>A new upgrade is available&#xd;
Upgrade now?</source>
        <translation>Une nouvelle version est disponible&#xd;
Mettre à jour maintenant ?</translation>
    </message>
    <message>
        <source>You have insufficient rights to perform this update.&#xd;Contact your local administrator.</source>
        <translation>Vous ne disposez pas des droits suffisants pour effectuer cette mise à jour.&#xd;Contactez votre administrateur local.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Néerlandais</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugais</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalan</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Poste de travail</translation>
    </message>
    <message>
        <source>Invalid email address</source>
        <translation>Adresse e-mail non valide</translation>
    </message>
    <message>
        <source>Error starting sockets</source>
        <translation>Erreur lors de l&apos;ouverture des connexions réseau</translation>
    </message>
    <message>
        <source>Internal database error - retry</source>
        <translation>Erreur interne de base de données - réessayez</translation>
    </message>
    <message>
        <source>Logoff failed</source>
        <translation>Échec de la déconnexion</translation>
    </message>
    <message>
        <source>Logoff failed: </source>
        <translation>Échec de la déconnexion : </translation>
    </message>
    <message>
        <source>SCREEN RESOLUTION SETTINGS</source>
        <translation>PARAMÈTRES DE RÉSOLUTION D&apos;ÉCRAN</translation>
    </message>
    <message>
        <source>It is highly recommended to switch the remote screen resolution&#xd;to 800x600 pixels to increase performance.&#xd;The original screen resolution will automatically reset when&#xd;a session ends.&#xd;&#xd;You can configure &quot;Connection Settings&quot; to automatically switch&#xd;to 800x600 pixels each time a session starts.</source>
        <translation>Il est vivement recommandé de régler la résolution de l&apos;écran distant&#xd;sur 800x600 pixels pour améliorer les performances.&#xd;La résolution d&apos;origine est automatiquement rétablie&#xd;à la fin de la session.&#xd;&#xd;Dans « Paramètres de connexion », vous pouvez choisir de passer automatiquement&#xd;en 800x600 pixels au début de chaque session.</translation>
    </message>
    <message>
        <source>Proxy script access authentication</source>
        <translation>Authentification d&apos;accès au script du proxy</translation>
    </message>
    <message>
        <source>The remote computer did not reconnect after the reboot&#xd;Closing current session</source>
        <translation>L&apos;ordinateur distant ne s&apos;est pas reconnecté après le redémarrage&#xd;Fermeture de la session en cours</translation>
    </message>
    <message>
        <source>Keyboard captured (Right Ctrl releases it)</source>
        <translation>Clavier capturé (Ctrl droite pour le libérer)</translation>
    </message>
    <message>
        <source>Screen recording stopped: the movie file could not be written.</source>
        <translation>Enregistrement de l&apos;écran arrêté : le fichier vidéo n&apos;a pas pu être écrit.</translation>
    </message>
    <message>
        <source>Unsafe file name refused:</source>
        <translation>Nom de fichier dangereux refusé :</translation>
    </message>
    <message>
        <source>No answer from the remote computer - transfer stopped</source>
        <translation>Pas de réponse de l&apos;ordinateur distant - transfert arrêté</translation>
    </message>
    <message>
        <source>The received file is incomplete and was not saved</source>
        <translation>Le fichier reçu est incomplet et n&apos;a pas été enregistré</translation>
    </message>
    <message>
        <source>The program&apos;s folder cannot be written.&#xd;The update has been saved in:</source>
        <translation>Impossible d&apos;écrire dans le dossier du programme.&#xd;La mise à jour a été enregistrée dans :</translation>
    </message>
    <message>
        <source>The recording could not be saved as a movie.&#xd;Its frames are kept in:</source>
        <translation>L&apos;enregistrement n&apos;a pas pu être sauvegardé en vidéo.&#xd;Ses images sont conservées dans :</translation>
    </message>
    <message>
        <source>The proxy could not be reached or refused the connection.</source>
        <translation>Le proxy est injoignable ou a refusé la connexion.</translation>
    </message>
    <message>
        <source>The proxy refused the user name or the password.</source>
        <translation>Le proxy a refusé le nom d&apos;utilisateur ou le mot de passe.</translation>
    </message>
    <message>
        <source>No answer through the proxy in time.</source>
        <translation>Aucune réponse à temps à travers le proxy.</translation>
    </message>
    <message>
        <source>Right Ctrl</source>
        <translation>Ctrl droite</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>KEYS DURING A SESSION</source>
        <translation>TOUCHES PENDANT UNE SESSION</translation>
    </message>
    <message>
        <source>During a session every key goes to the remote computer. Hold Right Ctrl and press a letter to give a command to Quorvia instead; Right Ctrl alone releases the keyboard and captures it again.</source>
        <translation>Pendant une session, chaque touche va à l&apos;ordinateur distant. Maintenez Ctrl droite et appuyez sur une lettre pour donner un ordre à Quorvia ; Ctrl droite seule libère le clavier et le capture à nouveau.</translation>
    </message>
</context>
<context>
    <name>InvitationTexts</name>
    <message>
        <source>Remote Support invitation from</source>
        <translation>Invitation à une session d&apos;assistance à distance de</translation>
    </message>
    <message>
        <source>YOUR SESSION KEY IS: ##&#xd;
&#xd;
Click on the hyperlink below and follow the directions to share your screen with @@**</source>
        <translation>VOTRE CLÉ DE SESSION EST : ##&#xd;
&#xd;
Cliquez sur le lien hypertexte ci-dessous et suivez les instructions pour partager votre écran avec @@**</translation>
    </message>
    <message>
        <source>Quorvia enables a support representative to remotely control your computer in order to assist you. Session traffic is always logged and fully encrypted to protect your system&apos;s data. Once a session has begun, you can start a chat session, grant &apos;view only&apos; or &apos;full control&apos; rights to the support representative or end the support session by right-clicking the Quorvia system tray icon and selecting the appropriate option.</source>
        <translation>Quorvia permet à un technicien d&apos;assistance de prendre le contrôle de votre ordinateur à distance afin de vous aider. Les échanges de la session sont toujours journalisés et entièrement chiffrés afin de protéger les données de votre système. Une fois la session commencée, vous pouvez démarrer une session de chat, accorder au technicien les droits « affichage seul » ou « contrôle total », ou mettre fin à la session d&apos;assistance en cliquant avec le bouton droit sur l&apos;icône Quorvia de la zone de notification et en choisissant l&apos;option appropriée.</translation>
    </message>
</context>
</TS>
