<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Channel</name>
    <message>
        <source>Chan</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Rec Freq</source>
        <translation>RX-Freq.</translation>
    </message>
    <message>
        <source>Rec CG</source>
        <translation>RX-CG</translation>
    </message>
    <message>
        <source>Tx Freq</source>
        <translation>TX-Freq.</translation>
    </message>
    <message>
        <source>Tx CG</source>
        <translation>TX-CG</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Programming editor for ZAV UHF two-way radios.</source>
        <translation>Programmiereditor für ZAV-UHF-Funkgeräte.</translation>
    </message>
    <message>
        <source>Run against a simulated radio on a pseudo-terminal.</source>
        <translation>Mit einem simulierten Funkgerät an einem Pseudoterminal arbeiten.</translation>
    </message>
    <message>
        <source>Write the steps of the link, the operations, the files and the settings to standard error.</source>
        <translation>Die Schritte der Verbindung, die Vorgänge, die Dateien und die Einstellungen auf die Standardfehlerausgabe schreiben.</translation>
    </message>
    <message>
        <source>Frequency files to open, one editor each.</source>
        <translation>Zu öffnende Frequenzdateien, je Datei ein Editor.</translation>
    </message>
    <message>
        <source>Try &apos;zavprog --help&apos; for more information.</source>
        <translation>Mit &apos;zavprog --help&apos; erhalten Sie weitere Informationen.</translation>
    </message>
</context>
<context>
    <name>Lists</name>
    <message>
        <source>Indicate</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Override</source>
        <translation>Übergehen</translation>
    </message>
    <message>
        <source>Lockout</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>DTMF Only</source>
        <translation>Nur DTMF</translation>
    </message>
    <message>
        <source>ANI Only</source>
        <translation>Nur ANI</translation>
    </message>
    <message>
        <source>DTMF w/ manual ANI</source>
        <translation>DTMF mit manueller ANI</translation>
    </message>
    <message>
        <source>Always Off</source>
        <translation>Immer aus</translation>
    </message>
    <message>
        <source>1 Second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>2 Seconds</source>
        <translation>2 Sekunden</translation>
    </message>
    <message>
        <source>3 Seconds</source>
        <translation>3 Sekunden</translation>
    </message>
    <message>
        <source>4 Seconds</source>
        <translation>4 Sekunden</translation>
    </message>
    <message>
        <source>5 Seconds</source>
        <translation>5 Sekunden</translation>
    </message>
    <message>
        <source>6 Seconds</source>
        <translation>6 Sekunden</translation>
    </message>
    <message>
        <source>Always On</source>
        <translation>Immer an</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Test 1</source>
        <translation>Test 1</translation>
    </message>
    <message>
        <source>Test 2</source>
        <translation>Test 2</translation>
    </message>
    <message>
        <source>Test 3</source>
        <translation>Test 3</translation>
    </message>
    <message>
        <source>Test 4</source>
        <translation>Test 4</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind derzeit nicht verfügbar</translation>
    </message>
    <message>
        <source>The groups are numbers 1 to 15, each named once, such as 1,3,5-7.</source>
        <translation>Die Gruppen sind Nummern von 1 bis 15, jede nur einmal genannt, etwa 1,3,5-7.</translation>
    </message>
    <message>
        <source>No record has been selected to the clipboard</source>
        <translation>Es wurde kein Datensatz in die Zwischenablage übernommen</translation>
    </message>
    <message>
        <source>Enter the frequency offset, eg: -2, 7</source>
        <translation>Geben Sie die Frequenzablage ein, z. B.: -2, 7</translation>
    </message>
    <message>
        <source>Save before exit?</source>
        <translation>Vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>No printer is installed. Install a printer, or choose one with Print Setup, and print again.</source>
        <translation>Es ist kein Drucker installiert. Installieren Sie einen Drucker oder wählen Sie einen unter Druckereinrichtung, und drucken Sie erneut.</translation>
    </message>
    <message>
        <source>The printout could not be sent to the printer. Check that the printer is switched on and on line, then print again.</source>
        <translation>Der Ausdruck konnte nicht an den Drucker gesendet werden. Prüfen Sie, ob der Drucker eingeschaltet und betriebsbereit ist, und drucken Sie erneut.</translation>
    </message>
    <message>
        <source>Warning:<byte value="xd"/>Cancelling a write operation may leave the radio in an unpredictable state.<byte value="xd"/>Are you sure you want to cancel?</source>
        <translation>Warnung:<byte value="xd"/>Wenn Sie einen Schreibvorgang abbrechen, kann das Funkgerät in einem undefinierten Zustand bleiben.<byte value="xd"/>Wollen Sie wirklich abbrechen?</translation>
    </message>
    <message>
        <source>ZAVPROG</source>
        <translation>ZAVPROG</translation>
    </message>
    <message>
        <source>COMM ERROR</source>
        <translation>KOMMUNIKATIONSFEHLER</translation>
    </message>
    <message>
        <source>File Access Error!</source>
        <translation>Fehler beim Dateizugriff!</translation>
    </message>
    <message>
        <source>File Error</source>
        <translation>Dateifehler</translation>
    </message>
    <message>
        <source>Requested group does not exist on radio.</source>
        <translation>Die angeforderte Gruppe ist im Funkgerät nicht vorhanden.</translation>
    </message>
    <message>
        <source>Read Group</source>
        <translation>Gruppe lesen</translation>
    </message>
    <message>
        <source>Write Group</source>
        <translation>Gruppe schreiben</translation>
    </message>
    <message>
        <source>Requested bank is invalid</source>
        <translation>Die angeforderte Bank ist ungültig</translation>
    </message>
    <message>
        <source>Transfer initialization error</source>
        <translation>Fehler beim Einleiten der Übertragung</translation>
    </message>
    <message>
        <source>Please Wait - Reading Labels</source>
        <translation>Bitte warten - Namen werden gelesen</translation>
    </message>
    <message>
        <source>Unable to upload data from radio</source>
        <translation>Daten können nicht aus dem Funkgerät geladen werden</translation>
    </message>
    <message>
        <source>Please Wait - Writing Labels</source>
        <translation>Bitte warten - Namen werden geschrieben</translation>
    </message>
    <message>
        <source>Unable to upload data to radio</source>
        <translation>Daten können nicht in das Funkgerät geladen werden</translation>
    </message>
    <message>
        <source>Another radio operation is in progress.</source>
        <translation>Ein anderer Funkgerätevorgang läuft bereits.</translation>
    </message>
    <message>
        <source>Error Hooking to Radio.</source>
        <translation>Fehler beim Verbinden mit dem Funkgerät.</translation>
    </message>
    <message>
        <source>Unable to set baud rate</source>
        <translation>Baudrate kann nicht eingestellt werden</translation>
    </message>
    <message>
        <source>Read Memory</source>
        <translation>Speicher lesen</translation>
    </message>
    <message>
        <source>Error reading radio</source>
        <translation>Fehler beim Lesen des Funkgeräts</translation>
    </message>
    <message>
        <source>Warning: No valid channel groups</source>
        <translation>Warnung: Keine gültigen Kanalgruppen</translation>
    </message>
    <message>
        <source>Unable to open Comm Port</source>
        <translation>Schnittstelle kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Write Failed. Cycle Radio Power before Retrying.</source>
        <translation>Schreiben fehlgeschlagen. Funkgerät aus- und wieder einschalten, dann erneut versuchen.</translation>
    </message>
    <message>
        <source>Read Labels</source>
        <translation>Namen lesen</translation>
    </message>
    <message>
        <source>All labels read OK.</source>
        <translation>Alle Namen fehlerfrei gelesen.</translation>
    </message>
    <message>
        <source>Write Labels</source>
        <translation>Namen schreiben</translation>
    </message>
    <message>
        <source>All labels written OK.</source>
        <translation>Alle Namen fehlerfrei geschrieben.</translation>
    </message>
    <message>
        <source>All groups read OK.</source>
        <translation>Alle Gruppen fehlerfrei gelesen.</translation>
    </message>
    <message>
        <source>Read Radio</source>
        <translation>Funkgerät lesen</translation>
    </message>
    <message>
        <source>Write Radio</source>
        <translation>Funkgerät schreiben</translation>
    </message>
    <message>
        <source>All groups written OK.</source>
        <translation>Alle Gruppen fehlerfrei geschrieben.</translation>
    </message>
    <message>
        <source>Write Global Failed</source>
        <translation>Schreiben der globalen Daten fehlgeschlagen</translation>
    </message>
    <message>
        <source>Write Group Failed</source>
        <translation>Schreiben der Gruppe fehlgeschlagen</translation>
    </message>
    <message>
        <source>Please Wait - Reading Radio</source>
        <translation>Bitte warten - Funkgerät wird gelesen</translation>
    </message>
    <message>
        <source>Please Wait - Writing Radio</source>
        <translation>Bitte warten - Funkgerät wird geschrieben</translation>
    </message>
    <message>
        <source>Please Wait - Verifying Radio</source>
        <translation>Bitte warten - Funkgerät wird geprüft</translation>
    </message>
    <message>
        <source>Please Wait - Backing Up Radio</source>
        <translation>Bitte warten - Funkgerät wird gesichert</translation>
    </message>
    <message>
        <source>Radio History</source>
        <translation>Funkgeräte-Verlauf</translation>
    </message>
    <message>
        <source>Verify After Write</source>
        <translation>Nach dem Schreiben prüfen</translation>
    </message>
    <message>
        <source>Verify failed: the radio does not hold what was written.</source>
        <translation>Prüfung fehlgeschlagen: Das Funkgerät enthält nicht, was geschrieben wurde.</translation>
    </message>
    <message>
        <source>Are you sure you want to write to the radio?</source>
        <translation>Wollen Sie wirklich in das Funkgerät schreiben?</translation>
    </message>
    <message>
        <source>Write Global Parameters?</source>
        <translation>Globale Parameter schreiben?</translation>
    </message>
    <message>
        <source>No group of this file is on the radio: no group was written.</source>
        <translation>Keine Gruppe dieser Datei ist im Funkgerät vorhanden: Es wurde keine Gruppe geschrieben.</translation>
    </message>
    <message>
        <source>Read Labels from Radio</source>
        <translation>Namen aus dem Funkgerät lesen</translation>
    </message>
    <message>
        <source>Write Labels to Radio</source>
        <translation>Namen in das Funkgerät schreiben</translation>
    </message>
    <message>
        <source>Save changes before reading the radio?</source>
        <translation>Änderungen vor dem Lesen des Funkgeräts speichern?</translation>
    </message>
    <message>
        <source>ZAV Editor</source>
        <translation>ZAV-Editor</translation>
    </message>
    <message>
        <source>Radio Band</source>
        <translation>Frequenzband des Funkgeräts</translation>
    </message>
    <message>
        <source>Write anyway?</source>
        <translation>Trotzdem schreiben?</translation>
    </message>
    <message>
        <source>the radio&apos;s band is unknown (its band bytes are blank or out of range): written without the band check</source>
        <translation>das Frequenzband des Funkgeräts ist unbekannt (seine Bandbytes sind leer oder ungültig): ohne Bandprüfung geschrieben</translation>
    </message>
    <message>
        <source>Make sure squelch knob is in the Code Guard position.</source>
        <translation>Der Squelch-Regler muss in der Stellung Code Guard stehen.</translation>
    </message>
    <message>
        <source>Syncal Error</source>
        <translation>Syncal-Fehler</translation>
    </message>
    <message>
        <source>UHF Syncal</source>
        <translation>UHF-Syncal</translation>
    </message>
    <message>
        <source>Unable to read the radio&apos;s band data.</source>
        <translation>Die Banddaten des Funkgeräts können nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The radio&apos;s band data are blank or out of range.</source>
        <translation>Die Banddaten des Funkgeräts sind leer oder ungültig.</translation>
    </message>
    <message>
        <source>The radio stopped answering.</source>
        <translation>Das Funkgerät antwortet nicht mehr.</translation>
    </message>
    <message>
        <source>Unable to write the alignment results to the radio.</source>
        <translation>Die Abgleichergebnisse können nicht in das Funkgerät geschrieben werden.</translation>
    </message>
    <message>
        <source>Unable to detect sync range.</source>
        <translation>Der Synchronisierbereich kann nicht ermittelt werden.</translation>
    </message>
    <message>
        <source>Fleet</source>
        <translation>Flotte</translation>
    </message>
    <message>
        <source>Name at least one port.</source>
        <translation>Geben Sie mindestens eine Schnittstelle an.</translation>
    </message>
    <message>
        <source>The unit numbers do not fit in seven digits.</source>
        <translation>Die Gerätenummern passen nicht in sieben Stellen.</translation>
    </message>
    <message>
        <source>Name the file each radio is read into.</source>
        <translation>Geben Sie die Datei an, in die jedes Funkgerät gelesen wird.</translation>
    </message>
    <message>
        <source>Two ports give the same file name: put {port} in it.</source>
        <translation>Zwei Schnittstellen ergeben denselben Dateinamen: Setzen Sie {port} hinein.</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>serial trace on</source>
        <translation>Mitschnitt ein</translation>
    </message>
    <message numerus="yes">
        <source>%n rows selected</source>
        <translation>
            <numerusform>%n Zeile ausgewählt</numerusform>
            <numerusform>%n Zeilen ausgewählt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zav</name>
    <message>
        <source> Radio history: %1</source>
        <translation> Funkgeräte-Verlauf: %1</translation>
    </message>
    <message>
        <source>no difference.</source>
        <translation>kein Unterschied.</translation>
    </message>
    <message>
        <source>1 difference.</source>
        <translation>1 Unterschied.</translation>
    </message>
    <message>
        <source>%1 differences.</source>
        <translation>%1 Unterschiede.</translation>
    </message>
    <message>
        <source>Save Comparison</source>
        <translation>Vergleich speichern</translation>
    </message>
    <message>
        <source>Current Group:</source>
        <translation>Aktuelle Gruppe:</translation>
    </message>
    <message>
        <source>Group Label</source>
        <translation>Gruppenname</translation>
    </message>
    <message>
        <source>ANI/ID Number:</source>
        <translation>ANI/ID-Nummer:</translation>
    </message>
    <message>
        <source>Up to %1 characters</source>
        <translation>Bis zu %1 Zeichen</translation>
    </message>
    <message>
        <source>Up to %1 hexadecimal digits (0-9, A-F)</source>
        <translation>Bis zu %1 Hexadezimalziffern (0-9, A-F)</translation>
    </message>
    <message>
        <source>Scan Hold Time:</source>
        <translation>Scan-Haltezeit:</translation>
    </message>
    <message>
        <source>Tx Time Out Timer:</source>
        <translation>Sendezeitbegrenzung:</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Variable Code Guard</source>
        <translation>Variabler Code Guard</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Keyboard Lockouts</source>
        <translation>Tastensperren</translation>
    </message>
    <message>
        <source>Priority Key Lockout</source>
        <translation>Prioritätstaste sperren</translation>
    </message>
    <message>
        <source>&apos;ENT&apos;/&apos;CLR&apos; Key Lockout</source>
        <translation>Tasten &apos;ENT&apos;/&apos;CLR&apos; sperren</translation>
    </message>
    <message>
        <source>Busy Channel Indicator</source>
        <translation>Belegtanzeige</translation>
    </message>
    <message>
        <source>Resident ANI/DTMF</source>
        <translation>ANI/DTMF im Gerät</translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation>Batteriesparmodus</translation>
    </message>
    <message>
        <source>Alpha Enabled</source>
        <translation>Alpha-Anzeige ein</translation>
    </message>
    <message>
        <source>Alpha Display Backlight</source>
        <translation>Beleuchtung der Alpha-Anzeige</translation>
    </message>
    <message>
        <source>Channel Change</source>
        <translation>Kanalwechsel</translation>
    </message>
    <message>
        <source>Scan State Change</source>
        <translation>Scan-Statuswechsel</translation>
    </message>
    <message>
        <source>Other Display</source>
        <translation>Andere Anzeige</translation>
    </message>
    <message>
        <source>Keypress</source>
        <translation>Tastendruck</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Abschaltzeit</translation>
    </message>
    <message>
        <source>ANI/ID Number</source>
        <translation>ANI/ID-Nummer</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Sa&amp;ve As</source>
        <translation>Speichern &amp;unter</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>E&amp;xport CSV...</source>
        <translation>CSV e&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Import CSV...</source>
        <translation>CSV &amp;importieren...</translation>
    </message>
    <message>
        <source>&amp;Compare With File...</source>
        <translation>Mit Datei &amp;vergleichen...</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print Set&amp;up</source>
        <translation>Drucker&amp;einrichtung</translation>
    </message>
    <message>
        <source>Print Previe&amp;w</source>
        <translation>Seiten&amp;ansicht</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Radio</source>
        <translation>&amp;Funkgerät</translation>
    </message>
    <message>
        <source>Read Radio</source>
        <translation>Funkgerät lesen</translation>
    </message>
    <message>
        <source>Read Global Information from Radio</source>
        <translation>Globale Daten aus Funkgerät lesen</translation>
    </message>
    <message>
        <source>Read Group from Radio</source>
        <translation>Gruppe aus Funkgerät lesen</translation>
    </message>
    <message>
        <source>Write Radio</source>
        <translation>Funkgerät schreiben</translation>
    </message>
    <message>
        <source>Write Global Information To Radio</source>
        <translation>Globale Daten in Funkgerät schreiben</translation>
    </message>
    <message>
        <source>Write Current Group to Radio</source>
        <translation>Aktuelle Gruppe in Funkgerät schreiben</translation>
    </message>
    <message>
        <source>Write &amp;Fleet...</source>
        <translation>&amp;Flotte schreiben...</translation>
    </message>
    <message>
        <source>Radio &amp;History...</source>
        <translation>Funkgeräte-&amp;Verlauf...</translation>
    </message>
    <message>
        <source>&amp;Identify Radio...</source>
        <translation>Funkgerät &amp;identifizieren...</translation>
    </message>
    <message>
        <source>&amp;Compare With Radio...</source>
        <translation>Mit Funkgerät ver&amp;gleichen...</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Namen</translation>
    </message>
    <message>
        <source>Read Current Group</source>
        <translation>Aktuelle Gruppe lesen</translation>
    </message>
    <message>
        <source>Write Current Group</source>
        <translation>Aktuelle Gruppe schreiben</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Always Read/Write Labels</source>
        <translation>Namen immer lesen/schreiben</translation>
    </message>
    <message>
        <source>Never Read/Write Labels</source>
        <translation>Namen nie lesen/schreiben</translation>
    </message>
    <message>
        <source>Prompt to Read/Write Labels</source>
        <translation>Vor dem Lesen/Schreiben der Namen fragen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation>Globale Parameter</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation>Alle kopieren</translation>
    </message>
    <message>
        <source>Copy a row</source>
        <translation>Eine Zeile kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>&amp;Konfiguration</translation>
    </message>
    <message>
        <source>Use Comm Port %1</source>
        <translation>Schnittstelle %1 verwenden</translation>
    </message>
    <message>
        <source>Serial Port Device...</source>
        <translation>Gerät der seriellen Schnittstelle...</translation>
    </message>
    <message>
        <source>Verify After Write</source>
        <translation>Nach dem Schreiben prüfen</translation>
    </message>
    <message>
        <source>Back Up Radio Before Writing</source>
        <translation>Funkgerät vor dem Schreiben sichern</translation>
    </message>
    <message>
        <source>&amp;Syncal</source>
        <translation>&amp;Syncal</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>About ZAVPROG</source>
        <translation>Über ZAVPROG</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Serial Trace...</source>
        <translation>Schnittstellenmitschnitt...</translation>
    </message>
    <message>
        <source>File: </source>
        <translation>Datei: </translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation>Drucker: </translation>
    </message>
    <message>
        <source>The simulated radio could not be started: %1</source>
        <translation>Das simulierte Funkgerät konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>Select &amp;All Rows</source>
        <translation>&amp;Alle Zeilen auswählen</translation>
    </message>
    <message>
        <source>&amp;Copy Rows</source>
        <translation>Zeilen &amp;kopieren</translation>
    </message>
    <message>
        <source>Cu&amp;t Rows</source>
        <translation>Zeilen auss&amp;chneiden</translation>
    </message>
    <message>
        <source>&amp;Delete Rows</source>
        <translation>Zeilen &amp;löschen</translation>
    </message>
    <message>
        <source>Set On &amp;Selected Rows...</source>
        <translation>In ausgewählten Zeilen &amp;setzen...</translation>
    </message>
    <message>
        <source>&amp;Fill Frequencies...</source>
        <translation>Frequenzen aus&amp;füllen...</translation>
    </message>
    <message>
        <source>Move Rows &amp;Up</source>
        <translation>Zeilen nach &amp;oben verschieben</translation>
    </message>
    <message>
        <source>Move Rows Do&amp;wn</source>
        <translation>Zeilen nach &amp;unten verschieben</translation>
    </message>
    <message>
        <source>Save Diagnostics...</source>
        <translation>Diagnose speichern...</translation>
    </message>
</context>
<context>
    <name>zav::AboutDialog</name>
    <message>
        <source>About ZAVPROG</source>
        <translation>Über ZAVPROG</translation>
    </message>
    <message>
        <source>ZAV Editor for Windows 95/NT </source>
        <translation>ZAV-Editor für Windows 95/NT </translation>
    </message>
    <message>
        <source>ZAVPROG - An editor for programming ZAV series Ostrane Radios.</source>
        <translation>ZAVPROG - Ein Editor zum Programmieren von Ostrane-Funkgeräten der ZAV-Serie.</translation>
    </message>
    <message>
        <source>Warning: programming a radio outside its licensed frequencies and settings may be unlawful. Keep a frequency file of every radio before writing to it.</source>
        <translation>Warnung: Ein Funkgerät außerhalb der zugeteilten Frequenzen und Einstellungen zu programmieren, kann rechtswidrig sein. Sichern Sie von jedem Funkgerät eine Frequenzdatei, bevor Sie es beschreiben.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>zav::AlignmentWindow</name>
    <message>
        <source>UHF Synthesizer alignment routine.<byte value="xd"/><byte value="xd"/>For reliable operation make sure the squelch knob is in the Code Guard position.</source>
        <translation>Abgleich des UHF-Synthesizers.<byte value="xd"/><byte value="xd"/>Für einen zuverlässigen Ablauf muss der Squelch-Regler in der Stellung Code Guard stehen.</translation>
    </message>
    <message>
        <source>Syncal</source>
        <translation>Syncal</translation>
    </message>
    <message>
        <source>Start Syncal</source>
        <translation>Syncal starten</translation>
    </message>
    <message>
        <source>Save Syncal Log</source>
        <translation>Syncal-Protokoll speichern</translation>
    </message>
</context>
<context>
    <name>zav::BankMoveDialog</name>
    <message>
        <source>Move Banks</source>
        <translation>Bänke verschieben</translation>
    </message>
    <message>
        <source>From Bank</source>
        <translation>Von Bank</translation>
    </message>
    <message>
        <source>To Bank</source>
        <translation>Nach Bank</translation>
    </message>
    <message>
        <source>Move labels with the channels</source>
        <translation>Namen mit den Kanälen verschieben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zav::BulkEditController</name>
    <message>
        <source>Cut Rows</source>
        <translation>Zeilen ausschneiden</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>Zeilen löschen</translation>
    </message>
    <message>
        <source>Move Rows Up</source>
        <translation>Zeilen nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Rows Down</source>
        <translation>Zeilen nach unten verschieben</translation>
    </message>
    <message>
        <source>The first channel of the group cannot move up.</source>
        <translation>Der erste Kanal der Gruppe kann nicht nach oben verschoben werden.</translation>
    </message>
    <message>
        <source>The last channel of the group cannot move down.</source>
        <translation>Der letzte Kanal der Gruppe kann nicht nach unten verschoben werden.</translation>
    </message>
    <message>
        <source>Choose a cell of the column to set first.</source>
        <translation>Wählen Sie zuerst eine Zelle der Spalte, die gesetzt werden soll.</translation>
    </message>
    <message>
        <source>Set On Selected Rows</source>
        <translation>In ausgewählten Zeilen setzen</translation>
    </message>
    <message>
        <source>Step: &apos;%1&apos; is no amount in MHz.</source>
        <translation>Schrittweite: &apos;%1&apos; ist kein Wert in MHz.</translation>
    </message>
    <message>
        <source>Offset: &apos;%1&apos; is no amount in MHz.</source>
        <translation>Ablage: &apos;%1&apos; ist kein Wert in MHz.</translation>
    </message>
    <message>
        <source>Fill Frequencies</source>
        <translation>Frequenzen ausfüllen</translation>
    </message>
</context>
<context>
    <name>zav::ChannelGridModel</name>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>%1, row %2, %3</source>
        <translation>%1, Zeile %2, %3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
</context>
<context>
    <name>zav::ChannelGridView</name>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Chan %1, %2</source>
        <translation>Kanal %1, %2</translation>
    </message>
    <message>
        <source>Copy Receive to Transmit</source>
        <translation>Empfangs- in Sendefrequenz kopieren</translation>
    </message>
    <message>
        <source>A frequency takes digits and a decimal point only.</source>
        <translation>Eine Frequenz besteht nur aus Ziffern und einem Dezimalpunkt.</translation>
    </message>
</context>
<context>
    <name>zav::ConfigController</name>
    <message>
        <source>The serial trace cannot be written to %1.</source>
        <translation>Der Schnittstellenmitschnitt kann nicht nach %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Serial Trace</source>
        <translation>Schnittstellenmitschnitt</translation>
    </message>
</context>
<context>
    <name>zav::ExchangeController</name>
    <message>
        <source>Import CSV</source>
        <translation>CSV importieren</translation>
    </message>
    <message>
        <source>Compare With File</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>From the editor&apos;s image to %1: </source>
        <translation>Vom Abbild im Editor zu %1: </translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>CHIRP CSV (*.csv)</source>
        <translation>CHIRP-CSV (*.csv)</translation>
    </message>
    <message>
        <source>All (*.*)</source>
        <translation>Alle (*.*)</translation>
    </message>
</context>
<context>
    <name>zav::FileController</name>
    <message>
        <source>Save changes before opening a file?</source>
        <translation>Änderungen vor dem Öffnen einer Datei speichern?</translation>
    </message>
    <message>
        <source>Save changes before opening %1?</source>
        <translation>Änderungen vor dem Öffnen von %1 speichern?</translation>
    </message>
</context>
<context>
    <name>zav::FillDialog</name>
    <message>
        <source>&amp;Transmit frequency too</source>
        <translation>Auch Sende&amp;frequenz</translation>
    </message>
    <message numerus="yes">
        <source>Fill Frequencies of %n rows</source>
        <translation>
            <numerusform>Frequenzen in %n Zeile ausfüllen</numerusform>
            <numerusform>Frequenzen in %n Zeilen ausfüllen</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Start (MHz):</source>
        <translation>&amp;Start (MHz):</translation>
    </message>
    <message>
        <source>St&amp;ep (MHz):</source>
        <translation>Sc&amp;hrittweite (MHz):</translation>
    </message>
    <message>
        <source>&amp;Offset (MHz):</source>
        <translation>&amp;Ablage (MHz):</translation>
    </message>
</context>
<context>
    <name>zav::FleetWriteDialog</name>
    <message>
        <source>Port numbers 1 to 4 or devices such as /dev/ttyUSB0</source>
        <translation>Schnittstellennummern 1 bis 4 oder Geräte wie /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>Unit numbers from</source>
        <translation>Gerätenummern ab</translation>
    </message>
    <message>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Groups that take the unit number, such as 1,3,5-7</source>
        <translation>Gruppen, die die Gerätenummer erhalten, etwa 1,3,5-7</translation>
    </message>
    <message>
        <source>in groups</source>
        <translation>in Gruppen</translation>
    </message>
    <message>
        <source>Write global parameters</source>
        <translation>Globale Parameter schreiben</translation>
    </message>
    <message>
        <source>Ports (one a line):</source>
        <translation>Schnittstellen (eine je Zeile):</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Schnittstelle</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Schreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Written: %1 bytes in %2 s</source>
        <translation>Geschrieben: %1 Bytes in %2 s</translation>
    </message>
    <message>
        <source>Read into %1</source>
        <translation>Gelesen in %1</translation>
    </message>
    <message>
        <source>Labels written: %1 bytes in %2 s</source>
        <translation>Namen geschrieben: %1 Bytes in %2 s</translation>
    </message>
    <message>
        <source>Fleet</source>
        <translation>Flotte</translation>
    </message>
    <message>
        <source>Write the editor&apos;s contents</source>
        <translation>Inhalt des Editors schreiben</translation>
    </message>
    <message>
        <source>Read each radio into a file</source>
        <translation>Jedes Funkgerät in eine Datei lesen</translation>
    </message>
    <message>
        <source>Write the editor&apos;s labels</source>
        <translation>Namen des Editors schreiben</translation>
    </message>
    <message>
        <source>Labels too</source>
        <translation>Auch Namen</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>such as /home/me/radio-{port}.frq</source>
        <translation>etwa /home/me/radio-{port}.frq</translation>
    </message>
    <message>
        <source>{port} stands for each port&apos;s name</source>
        <translation>{port} steht für den Namen der jeweiligen Schnittstelle</translation>
    </message>
    <message>
        <source>All groups</source>
        <translation>Alle Gruppen</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>Gruppe %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>A CSV file that takes a row per radio</source>
        <translation>Eine CSV-Datei mit einer Zeile je Funkgerät</translation>
    </message>
    <message>
        <source>Operation:</source>
        <translation>Vorgang:</translation>
    </message>
    <message>
        <source>Files:</source>
        <translation>Dateien:</translation>
    </message>
    <message>
        <source>Labels of:</source>
        <translation>Namen von:</translation>
    </message>
    <message>
        <source>Log file:</source>
        <translation>Protokolldatei:</translation>
    </message>
    <message>
        <source>Radio history</source>
        <translation>Funkgeräte-Verlauf</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>&amp;Lesen</translation>
    </message>
    <message>
        <source>Write &amp;Labels</source>
        <translation>&amp;Namen schreiben</translation>
    </message>
    <message>
        <source>Running...</source>
        <translation>Läuft...</translation>
    </message>
    <message>
        <source>Cancelling: each radio stops at its next safe point...</source>
        <translation>Abbruch: Jedes Funkgerät hält am nächsten sicheren Punkt an...</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Cancelled before it started</source>
        <translation>Vor dem Start abgebrochen</translation>
    </message>
    <message>
        <source>%1 read</source>
        <translation>%1 gelesen</translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation>%1 geschrieben</translation>
    </message>
    <message>
        <source>%1 labels written</source>
        <translation>bei %1 Namen geschrieben</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 cancelled</source>
        <translation>%1 abgebrochen</translation>
    </message>
    <message>
        <source>1 radio</source>
        <translation>1 Funkgerät</translation>
    </message>
    <message>
        <source>%1 radios</source>
        <translation>%1 Funkgeräte</translation>
    </message>
</context>
<context>
    <name>zav::GlobalsWindow</name>
    <message>
        <source>Global Variables</source>
        <translation>Globale Variablen</translation>
    </message>
    <message>
        <source>Priority Rate in seconds:</source>
        <translation>Prioritätsabfrage in Sekunden:</translation>
    </message>
    <message>
        <source>Global Battery Saver:</source>
        <translation>Globaler Batteriesparmodus:</translation>
    </message>
    <message>
        <source>Bank Scan:</source>
        <translation>Bank-Scan:</translation>
    </message>
    <message>
        <source>Pass Word</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>ANI/DTMF Parameters</source>
        <translation>ANI/DTMF-Parameter</translation>
    </message>
    <message>
        <source>Front Porch Time in Milliseconds:</source>
        <translation>Vorlaufzeit in Millisekunden:</translation>
    </message>
    <message>
        <source>Character Rate/Second:</source>
        <translation>Zeichen pro Sekunde:</translation>
    </message>
    <message>
        <source>Single tone deviation (Hz)</source>
        <translation>Hub eines Einzeltons (Hz)</translation>
    </message>
    <message>
        <source>DTMF Deviation Utility</source>
        <translation>DTMF-Hub einstellen</translation>
    </message>
    <message>
        <source>Write DTMF Deviation</source>
        <translation>DTMF-Hub schreiben</translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation>Globale Parameter</translation>
    </message>
    <message>
        <source>DTMF Deviation</source>
        <translation>DTMF-Hub</translation>
    </message>
    <message>
        <source>Global Parameters  -  ZAV Editor   </source>
        <translation>Globale Parameter  -  ZAV-Editor   </translation>
    </message>
    <message>
        <source>Select value from list.</source>
        <translation>Wert aus der Liste wählen.</translation>
    </message>
</context>
<context>
    <name>zav::HelpWindow</name>
    <message>
        <source>ZAVPROG Help</source>
        <translation>ZAVPROG-Hilfe</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward &gt;</source>
        <translation>&amp;Vor &gt;</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Schl&amp;ießen</translation>
    </message>
</context>
<context>
    <name>zav::MainWindow</name>
    <message>
        <source> [simulated radio]</source>
        <translation> [simuliertes Funkgerät]</translation>
    </message>
    <message>
        <source>Group Parameters</source>
        <translation>Gruppenparameter</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>%1 copied to %2 in all %3 channels.</source>
        <translation>%1 in allen %3 Kanälen nach %2 kopiert.</translation>
    </message>
</context>
<context>
    <name>zav::OffsetEntry</name>
    <message>
        <source>Offset</source>
        <translation>Ablage</translation>
    </message>
    <message>
        <source>An offset takes digits, a sign and a decimal point only.</source>
        <translation>Eine Ablage besteht nur aus Ziffern, einem Vorzeichen und einem Dezimalpunkt.</translation>
    </message>
</context>
<context>
    <name>zav::PortDeviceDialog</name>
    <message>
        <source>Serial Port Device</source>
        <translation>Gerät der seriellen Schnittstelle</translation>
    </message>
    <message>
        <source>Serial ports on this computer:</source>
        <translation>Serielle Schnittstellen dieses Computers:</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation>USB-ID</translation>
    </message>
    <message>
        <source>The system reports no serial ports.</source>
        <translation>Das System meldet keine seriellen Schnittstellen.</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Device for Comm Port %1:</source>
        <translation>&amp;Gerät für Schnittstelle %1:</translation>
    </message>
    <message>
        <source> (the system&apos;s usual device)</source>
        <translation> (das übliche Gerät des Systems)</translation>
    </message>
    <message>
        <source>Use &amp;Default</source>
        <translation>&amp;Standard verwenden</translation>
    </message>
    <message>
        <source>Open %1 for Comm Port %2.</source>
        <translation>%1 für Schnittstelle %2 öffnen.</translation>
    </message>
    <message>
        <source> (plugged in most recently)</source>
        <translation> (zuletzt angeschlossen)</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <source>In use by process %1</source>
        <translation>Belegt von Prozess %1</translation>
    </message>
    <message>
        <source>In use by another program</source>
        <translation>Von einem anderen Programm belegt</translation>
    </message>
</context>
<context>
    <name>zav::PrintCommands</name>
    <message>
        <source>Print Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Seitenansicht</translation>
    </message>
</context>
<context>
    <name>zav::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>This step cannot be cancelled.</source>
        <translation>Dieser Schritt kann nicht abgebrochen werden.</translation>
    </message>
    <message>
        <source>ZAV Processing</source>
        <translation>ZAV-Verarbeitung</translation>
    </message>
</context>
<context>
    <name>zav::RadioController</name>
    <message>
        <source>Labels: </source>
        <translation>Namen: </translation>
    </message>
    <message>
        <source>Identify Radio</source>
        <translation>Funkgerät identifizieren</translation>
    </message>
    <message>
        <source>Compare With Radio</source>
        <translation>Mit Funkgerät vergleichen</translation>
    </message>
    <message>
        <source>What writing %1 would change in the radio: </source>
        <translation>Was das Schreiben von %1 im Funkgerät ändern würde: </translation>
    </message>
</context>
<context>
    <name>zav::RadioHistoryDialog</name>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Radio History</source>
        <translation>Funkgeräte-Verlauf</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Schnittstelle</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Vorgang</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read: %2</source>
        <translation>Der Ordner %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>No radio has been read or written yet (%1).</source>
        <translation>Es wurde noch kein Funkgerät gelesen oder geschrieben (%1).</translation>
    </message>
    <message>
        <source>Kept in %1, newest first:</source>
        <translation>Abgelegt in %1, neueste zuerst:</translation>
    </message>
</context>
<context>
    <name>zav::SetRowsDialog</name>
    <message>
        <source>Set On Selected Rows</source>
        <translation>In ausgewählten Zeilen setzen</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n rows:</source>
        <translation>
            <numerusform>%1 in %n Zeile:</numerusform>
            <numerusform>%1 in %n Zeilen:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zav::SplashWindow</name>
    <message>
        <source>for Windows 95</source>
        <translation>für Windows 95</translation>
    </message>
    <message>
        <source>Programming editor for ZAV series UHF radios</source>
        <translation>Programmiereditor für UHF-Funkgeräte der ZAV-Serie</translation>
    </message>
    <message>
        <source>Program only radios you are licensed to operate.</source>
        <translation>Programmieren Sie nur Funkgeräte, für die Sie eine Zulassung haben.</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>zav::StatusLine</name>
    <message>
        <source>simulated radio</source>
        <translation>simuliertes Funkgerät</translation>
    </message>
    <message>
        <source>no file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source> (unsaved changes)</source>
        <translation> (ungespeicherte Änderungen)</translation>
    </message>
    <message>
        <source>Port %1: %2</source>
        <translation>Schnittstelle %1: %2</translation>
    </message>
    <message>
        <source>%1: done.</source>
        <translation>%1: erledigt.</translation>
    </message>
    <message>
        <source>%1: cancelled.</source>
        <translation>%1: abgebrochen.</translation>
    </message>
    <message>
        <source>%1: cancelled; %2.</source>
        <translation>%1: abgebrochen; %2.</translation>
    </message>
</context>
<context>
    <name>zav::TextReport</name>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
</context>
<context>
    <name>zav::WindowsController</name>
    <message>
        <source>Write DTMF Deviation</source>
        <translation>DTMF-Hub schreiben</translation>
    </message>
    <message>
        <source>Move Banks</source>
        <translation>Bänke verschieben</translation>
    </message>
</context>
</TS>
