; The installer's languages: the program's shipped ones (resources/lang), each with the Modern
; UI's own texts, the installer's texts below, and the name of its language file, which becomes
; the program's Language. English comes first: it stands in when Windows speaks none of them.
; The list names each language in its own words, as Windows' own language lists do.
!define LANGFILE_LANGDLL_FMT "%NATIVENAME%"

!insertmacro MUI_LANGUAGE "English"
LangString LanguageFile ${LANG_ENGLISH} "English"
LangString WelcomeTitle ${LANG_ENGLISH} "Welcome to ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_ENGLISH} "${PRODUCT} tunes your internet connection: Windows' TCP/IP settings, Internet Explorer's connections per server and, for a dial-up modem, its port speed.$\r$\n$\r$\nInstalling changes none of them. The wizard explains every setting, saves the values it finds and writes new ones only when you press Finish in it.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_ENGLISH} "&Start the ${PRODUCT} wizard now"
LangString KeepBackup ${LANG_ENGLISH} "${PRODUCT} keeps a backup of your original connection settings, and removing ${PRODUCT} leaves that backup on this computer.$\r$\n$\r$\nTo bring the original settings back, start ${PRODUCT} before you remove it and press $\"Reset Connection Settings$\" on its first page (or install it again later and do so then).$\r$\n$\r$\nRemove ${PRODUCT} now?"

!insertmacro MUI_LANGUAGE "German"
LangString LanguageFile ${LANG_GERMAN} "German"
LangString WelcomeTitle ${LANG_GERMAN} "Willkommen bei ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_GERMAN} "${PRODUCT} optimiert Ihre Internetverbindung: die TCP/IP-Einstellungen von Windows, die Verbindungen des Internet Explorers je Server und bei einem analogen Modem dessen Anschlussgeschwindigkeit.$\r$\n$\r$\nDie Installation ändert nichts davon. Der Assistent erklärt jede Einstellung, sichert die vorgefundenen Werte und schreibt neue erst, wenn Sie darin auf Fertig stellen klicken.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_GERMAN} "Den ${PRODUCT}-Assistenten jetzt &starten"
LangString KeepBackup ${LANG_GERMAN} "${PRODUCT} bewahrt eine Sicherung Ihrer ursprünglichen Verbindungseinstellungen auf; sie bleibt auf diesem Computer, wenn Sie ${PRODUCT} entfernen.$\r$\n$\r$\nUm die ursprünglichen Einstellungen zurückzuholen, starten Sie ${PRODUCT} vor dem Entfernen und klicken Sie auf der ersten Seite auf $\"Einstellungen zurücksetzen$\" (oder installieren Sie es später wieder und tun Sie es dann).$\r$\n$\r$\n${PRODUCT} jetzt entfernen?"

!insertmacro MUI_LANGUAGE "French"
LangString LanguageFile ${LANG_FRENCH} "French"
LangString WelcomeTitle ${LANG_FRENCH} "Bienvenue dans ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_FRENCH} "${PRODUCT} optimise votre connexion Internet : les paramètres TCP/IP de Windows, les connexions d'Internet Explorer par serveur et, pour un modem analogique, la vitesse de son port.$\r$\n$\r$\nL'installation n'en change aucun. L'assistant explique chaque paramètre, sauvegarde les valeurs trouvées et n'en écrit de nouvelles que lorsque vous y cliquez sur Terminer.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_FRENCH} "&Lancer l'assistant ${PRODUCT} maintenant"
LangString KeepBackup ${LANG_FRENCH} "${PRODUCT} garde une sauvegarde de vos paramètres de connexion d'origine, et la suppression de ${PRODUCT} laisse cette sauvegarde sur cet ordinateur.$\r$\n$\r$\nPour rétablir les paramètres d'origine, lancez ${PRODUCT} avant de le supprimer et cliquez sur $\"Rétablir les paramètres$\" sur sa première page (ou réinstallez-le plus tard et faites-le alors).$\r$\n$\r$\nSupprimer ${PRODUCT} maintenant ?"

!insertmacro MUI_LANGUAGE "Spanish"
LangString LanguageFile ${LANG_SPANISH} "Spanish"
LangString WelcomeTitle ${LANG_SPANISH} "Bienvenido a ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_SPANISH} "${PRODUCT} optimiza su conexión a Internet: la configuración TCP/IP de Windows, las conexiones de Internet Explorer por servidor y, para un módem analógico, la velocidad de su puerto.$\r$\n$\r$\nLa instalación no cambia nada de ello. El asistente explica cada ajuste, guarda los valores que encuentra y solo escribe otros nuevos cuando pulsa Finalizar en él.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_SPANISH} "&Iniciar ahora el asistente de ${PRODUCT}"
LangString KeepBackup ${LANG_SPANISH} "${PRODUCT} guarda una copia de seguridad de su configuración de conexión original, y quitar ${PRODUCT} deja esa copia en este equipo.$\r$\n$\r$\nPara recuperar la configuración original, inicie ${PRODUCT} antes de quitarlo y pulse $\"Restablecer configuración$\" en su primera página (o vuelva a instalarlo más tarde y hágalo entonces).$\r$\n$\r$\n¿Quitar ${PRODUCT} ahora?"

!insertmacro MUI_LANGUAGE "Italian"
LangString LanguageFile ${LANG_ITALIAN} "Italian"
LangString WelcomeTitle ${LANG_ITALIAN} "Benvenuti in ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_ITALIAN} "${PRODUCT} ottimizza la connessione a Internet: le impostazioni TCP/IP di Windows, le connessioni di Internet Explorer per server e, per un modem analogico, la velocità della sua porta.$\r$\n$\r$\nL'installazione non ne cambia nessuna. La procedura guidata spiega ogni impostazione, salva i valori che trova e ne scrive di nuovi solo quando vi si fa clic su Fine.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_ITALIAN} "&Avvia ora la procedura guidata di ${PRODUCT}"
LangString KeepBackup ${LANG_ITALIAN} "${PRODUCT} conserva un backup delle impostazioni di connessione originali, e la rimozione di ${PRODUCT} lascia quel backup su questo computer.$\r$\n$\r$\nPer ripristinare le impostazioni originali, avviare ${PRODUCT} prima di rimuoverlo e fare clic su $\"Ripristina impostazioni$\" nella sua prima pagina (oppure reinstallarlo più tardi e farlo allora).$\r$\n$\r$\nRimuovere ${PRODUCT} ora?"

!insertmacro MUI_LANGUAGE "Dutch"
LangString LanguageFile ${LANG_DUTCH} "Dutch"
LangString WelcomeTitle ${LANG_DUTCH} "Welkom bij ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_DUTCH} "${PRODUCT} stemt uw internetverbinding af: de TCP/IP-instellingen van Windows, de verbindingen van Internet Explorer per server en, voor een analoge modem, de poortsnelheid.$\r$\n$\r$\nDe installatie wijzigt daar niets aan. De wizard legt elke instelling uit, bewaart de gevonden waarden en schrijft pas nieuwe als u erin op Voltooien klikt.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_DUTCH} "De ${PRODUCT}-wizard nu &starten"
LangString KeepBackup ${LANG_DUTCH} "${PRODUCT} bewaart een back-up van uw oorspronkelijke verbindingsinstellingen, en het verwijderen van ${PRODUCT} laat die back-up op deze computer staan.$\r$\n$\r$\nOm de oorspronkelijke instellingen terug te zetten, start u ${PRODUCT} voordat u het verwijdert en klikt u op de eerste pagina op $\"Instellingen herstellen$\" (of installeert u het later opnieuw en doet u het dan).$\r$\n$\r$\n${PRODUCT} nu verwijderen?"

!insertmacro MUI_LANGUAGE "PortugueseBR"
LangString LanguageFile ${LANG_PORTUGUESEBR} "Portuguese (Brazil)"
LangString WelcomeTitle ${LANG_PORTUGUESEBR} "Bem-vindo ao ${PRODUCT} ${VERSION}"
LangString WelcomeText ${LANG_PORTUGUESEBR} "O ${PRODUCT} otimiza sua conexão com a Internet: as configurações TCP/IP do Windows, as conexões do Internet Explorer por servidor e, para um modem analógico, a velocidade da porta.$\r$\n$\r$\nA instalação não muda nada disso. O assistente explica cada configuração, salva os valores que encontra e só grava novos quando você clica em Concluir nele.$\r$\n$\r$\n$_CLICK"
LangString RunWizard ${LANG_PORTUGUESEBR} "&Iniciar o assistente do ${PRODUCT} agora"
LangString KeepBackup ${LANG_PORTUGUESEBR} "O ${PRODUCT} mantém um backup das suas configurações de conexão originais, e remover o ${PRODUCT} deixa esse backup neste computador.$\r$\n$\r$\nPara trazer de volta as configurações originais, inicie o ${PRODUCT} antes de removê-lo e clique em $\"Restaurar configurações$\" na primeira página (ou instale-o de novo mais tarde e faça isso então).$\r$\n$\r$\nRemover o ${PRODUCT} agora?"

; $0 a language file's name (any case; empty or unknown: no change) -> $LANGUAGE.
!macro SELECT_LANGUAGE_BY_NAME prefix
Function ${prefix}SelectLanguageByName
  ${If} $0 == "English"
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
  ${If} $0 == "German"
    StrCpy $LANGUAGE ${LANG_GERMAN}
  ${EndIf}
  ${If} $0 == "French"
    StrCpy $LANGUAGE ${LANG_FRENCH}
  ${EndIf}
  ${If} $0 == "Spanish"
    StrCpy $LANGUAGE ${LANG_SPANISH}
  ${EndIf}
  ${If} $0 == "Italian"
    StrCpy $LANGUAGE ${LANG_ITALIAN}
  ${EndIf}
  ${If} $0 == "Dutch"
    StrCpy $LANGUAGE ${LANG_DUTCH}
  ${EndIf}
  ${If} $0 == "Portuguese (Brazil)"
    StrCpy $LANGUAGE ${LANG_PORTUGUESEBR}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SELECT_LANGUAGE_BY_NAME ""
!insertmacro SELECT_LANGUAGE_BY_NAME "un."
