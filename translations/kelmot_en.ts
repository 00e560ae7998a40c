<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>AnalyseCommand</name>
    <message>
        <source>Der Ordner &quot;%1&quot; lässt sich nicht anlegen.</source>
        <translation>The folder &quot;%1&quot; cannot be created.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lässt sich nicht ganz lesen: %2</source>
        <translation>&quot;%1&quot; cannot be read completely: %2</translation>
    </message>
    <message>
        <source>keine vollständige Messung in &quot;%1&quot; (%2 Flanken erkannt, Schwelle %3).</source>
        <translation>no complete run in &quot;%1&quot; (%2 edges found, threshold %3).</translation>
    </message>
    <message>
        <source>Auswertung: %1</source>
        <translation>Analysis: %1</translation>
    </message>
</context>
<context>
    <name>ClassroomCommand</name>
    <message>
        <source>Klassenansicht: %1</source>
        <translation>Classroom view: %1</translation>
    </message>
</context>
<context>
    <name>ClassroomPage</name>
    <message>
        <source>Kelmot – Klassenansicht</source>
        <translation>Kelmot – classroom view</translation>
    </message>
    <message>
        <source>Verbindung wird aufgebaut …</source>
        <translation>Connecting …</translation>
    </message>
    <message>
        <source>Verbindung unterbrochen – neuer Versuch …</source>
        <translation>Connection lost – trying again …</translation>
    </message>
    <message>
        <source>Verbunden</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Der Zugangscode gilt nicht mehr. Bitte die neue Adresse öffnen.</source>
        <translation>This access code is no longer valid. Please open the new address.</translation>
    </message>
    <message>
        <source>Stand der Messung</source>
        <translation>Measurement status</translation>
    </message>
    <message>
        <source>Laufende Messung</source>
        <translation>Current run</translation>
    </message>
    <message>
        <source>Messtabelle</source>
        <translation>Measurement table</translation>
    </message>
    <message>
        <source>Ausgewertete Messungen</source>
        <translation>Evaluated runs</translation>
    </message>
    <message>
        <source>Noch keine Messung gespeichert.</source>
        <translation>No run has been stored yet.</translation>
    </message>
    <message>
        <source>Diagramme</source>
        <translation>Diagrams</translation>
    </message>
    <message>
        <source>Vermuteter Zusammenhang: %1</source>
        <translation>Suspected relationship: %1</translation>
    </message>
    <message>
        <source>Streifenbreite: %1 mm</source>
        <translation>Flag width: %1 mm</translation>
    </message>
    <message>
        <source>Herunterladen:</source>
        <translation>Download:</translation>
    </message>
    <message>
        <source>Datendatei (.kmd)</source>
        <translation>Data file (.kmd)</translation>
    </message>
    <message>
        <source>Tabelle (.xls)</source>
        <translation>Spreadsheet (.xls)</translation>
    </message>
    <message>
        <source>CSV-Datei (.csv)</source>
        <translation>CSV file (.csv)</translation>
    </message>
    <message>
        <source>Diese Seite zeigt nur an: sie steuert das Programm nicht.</source>
        <translation>This page only shows the measurement: it cannot control the program.</translation>
    </message>
    <message>
        <source>Zugang verweigert: falscher oder fehlender Zugangscode.</source>
        <translation>Access denied: the access code is wrong or missing.</translation>
    </message>
    <message>
        <source>Diese Seite gibt es nicht.</source>
        <translation>There is no such page.</translation>
    </message>
    <message>
        <source>Die Klassenansicht kann nur gelesen werden.</source>
        <translation>The classroom view is read-only.</translation>
    </message>
    <message>
        <source>Die Anfrage kam nicht rechtzeitig an.</source>
        <translation>The request did not arrive in time.</translation>
    </message>
    <message>
        <source>Diese Adresse ist nur für die Live-Verbindung der Seite.</source>
        <translation>This address is only for the page&apos;s live connection.</translation>
    </message>
    <message>
        <source>Zu viele falsche Zugangscodes: bitte eine Minute warten.</source>
        <translation>Too many wrong access codes: please wait a minute.</translation>
    </message>
    <message>
        <source>Die Anfrage ist zu groß.</source>
        <translation>The request is too large.</translation>
    </message>
    <message>
        <source>Zu viele Verbindungen: bitte später noch einmal versuchen.</source>
        <translation>Too many connections: please try again later.</translation>
    </message>
    <message>
        <source>s-t Diagramm</source>
        <translation>s-t diagram</translation>
    </message>
    <message>
        <source>v-t Diagramm</source>
        <translation>v-t diagram</translation>
    </message>
    <message>
        <source>keiner</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Alle heutigen Messungen (%1) als CSV-Datei herunterladen</source>
        <translation>Download all of today&apos;s runs (%1) as a CSV file</translation>
    </message>
    <message>
        <source>Zu viele falsche Zugangscodes aus diesem Netz: die Seite versucht es gleich wieder.</source>
        <translation>Too many wrong access codes from this network: the page will try again shortly.</translation>
    </message>
    <message>
        <source>Die Anfrage ist fehlerhaft.</source>
        <translation>The request is malformed.</translation>
    </message>
</context>
<context>
    <name>ColumnHeaders</name>
    <message>
        <source>Ort (m)</source>
        <translation>Position (m)</translation>
    </message>
    <message>
        <source>Zeit aus (s)</source>
        <translation>Beam blocked (s)</translation>
    </message>
    <message>
        <source>Zeit an (s)</source>
        <translation>Beam clear (s)</translation>
    </message>
    <message>
        <source>Quotient (m/s)</source>
        <translation>Ratio (m/s)</translation>
    </message>
    <message>
        <source>dt (s)</source>
        <translation>dt (s)</translation>
    </message>
    <message>
        <source>v (m/s)</source>
        <translation>v (m/s)</translation>
    </message>
    <message>
        <source>a (m/s²)</source>
        <translation>a (m/s²)</translation>
    </message>
</context>
<context>
    <name>CommandStatus</name>
    <message>
        <source>Die Aufnahme lässt sich nicht ganz lesen: %1</source>
        <translation>The recording cannot be read in full: %1</translation>
    </message>
</context>
<context>
    <name>DiagramFrame</name>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>DropKeeping</name>
    <message>
        <source>Fall %1</source>
        <translation>Drop %1</translation>
    </message>
</context>
<context>
    <name>FallCommand</name>
    <message>
        <source>Fall %1</source>
        <translation>Drop %1</translation>
    </message>
    <message>
        <source>Latte;Ort;Zeit dunkel;Zeit hell;Geschwindigkeit</source>
        <translation>Band;Position;Dark time;Bright time;Speed</translation>
    </message>
    <message>
        <source>Unvollständig: %1 von %2 Latten</source>
        <translation>Incomplete: %1 of %2 bands</translation>
    </message>
    <message>
        <source>Kein g aus weniger als %1 Latten.</source>
        <translation>No g from fewer than %1 bands.</translation>
    </message>
    <message>
        <source>kein Fall mit mindestens %1 Latten in der Aufnahme (%2 Flanken erkannt, Schwelle %3).</source>
        <translation>no drop with at least %1 bands in the recording (%2 edges seen, threshold %3).</translation>
    </message>
</context>
<context>
    <name>FallDiagram</name>
    <message>
        <source>Parabel: %1 (R² = %2)</source>
        <extracomment>the parabola fitted to the distances: %1 g with its uncertainty, %2 R²</extracomment>
        <translation>Parabola: %1 (R² = %2)</translation>
    </message>
    <message>
        <source>Gerade: %1 (R² = %2)</source>
        <extracomment>the line fitted to the speeds: %1 g with its uncertainty, %2 R²</extracomment>
        <translation>Line: %1 (R² = %2)</translation>
    </message>
    <message>
        <source>Weg in m</source>
        <translation>Distance in m</translation>
    </message>
    <message>
        <source>v in m/s</source>
        <translation>v in m/s</translation>
    </message>
    <message>
        <source>s-t-Diagramm des Falls mit %1 Latten.</source>
        <translation>s-t diagram of the drop with %1 bands.</translation>
    </message>
    <message>
        <source>v-t-Diagramm des Falls mit %1 Latten.</source>
        <translation>v-t diagram of the drop with %1 bands.</translation>
    </message>
    <message>
        <source>s-t-Diagramm des Rads mit %1 Speichen.</source>
        <extracomment>%1 the number of bands drawn</extracomment>
        <translation>s-t diagram of the pulley with %1 spokes.</translation>
    </message>
    <message>
        <source>v-t-Diagramm des Rads mit %1 Speichen.</source>
        <translation>v-t diagram of the pulley with %1 spokes.</translation>
    </message>
</context>
<context>
    <name>FallDrop</name>
    <message>
        <source>g = %1 m/s²</source>
        <translation>g = %1 m/s²</translation>
    </message>
</context>
<context>
    <name>FallTable</name>
    <message>
        <source>Latte</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>s in m</source>
        <translation>s in m</translation>
    </message>
    <message>
        <source>t dunkel in s</source>
        <translation>t dark in s</translation>
    </message>
    <message>
        <source>t hell in s</source>
        <translation>t bright in s</translation>
    </message>
    <message>
        <source>v in m/s</source>
        <translation>v in m/s</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%1&apos; is not a valid whole number</translation>
    </message>
    <message>
        <source>Dateizugriff verweigert</source>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>E/A-Fehler %1</source>
        <translation>I/O error %1</translation>
    </message>
    <message>
        <source>Der Ordner ist nicht vorhanden.</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>Zugriff verweigert.</source>
        <translation>Access denied.</translation>
    </message>
    <message>
        <source>Der Datenträger ist voll.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>Unter diesem Namen steht ein Ordner.</source>
        <translation>A folder with this name already exists.</translation>
    </message>
    <message>
        <source>E/A-Fehler %1.</source>
        <translation>I/O error %1.</translation>
    </message>
    <message>
        <source>Datei nicht gefunden</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; wurde nicht gespeichert. %2</source>
        <translation>The file &quot;%1&quot; was not saved. %2</translation>
    </message>
</context>
<context>
    <name>FitDrawing</name>
    <message>
        <source>Ausgleich: a = %1 m/s², v₀ = %2 m/s (R² = %3)</source>
        <translation>Fit: a = %1 m/s², v₀ = %2 m/s (R² = %3)</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>kelmot.de.1</source>
        <extracomment>the manual page shown by F1: kelmot.1 is the English one</extracomment>
        <translation>kelmot.1</translation>
    </message>
</context>
<context>
    <name>JournalFile</name>
    <message>
        <source>Das Messungsjournal &quot;%1&quot; war beschädigt und liegt jetzt als &quot;%2&quot;; ein neues Journal ist angelegt.</source>
        <translation>The journal of runs &quot;%1&quot; was damaged and has been moved to &quot;%2&quot;; a new journal has been started.</translation>
    </message>
    <message>
        <source>Der Ordner &quot;%1&quot; lässt sich nicht anlegen.</source>
        <translation>The folder &quot;%1&quot; cannot be created.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; lässt sich nicht anlegen: %2</source>
        <translation>The file &quot;%1&quot; cannot be created: %2</translation>
    </message>
    <message>
        <source>Das Messungsjournal &quot;%1&quot; stammt von einer neueren Programmversion und wird nur gelesen.</source>
        <translation>The journal of runs &quot;%1&quot; comes from a newer version of the program and is only read.</translation>
    </message>
    <message>
        <source>Qt hat keinen SQLite-Treiber (Paket libqt6sql6-sqlite).</source>
        <translation>Qt has no SQLite driver (package libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>Das beschädigte Messungsjournal &quot;%1&quot; lässt sich nicht beiseitelegen.</source>
        <translation>The damaged journal of runs &quot;%1&quot; cannot be moved aside.</translation>
    </message>
    <message>
        <source>Das Messungsjournal &quot;%1&quot; ist beschädigt.</source>
        <translation>The measurement journal &quot;%1&quot; is damaged.</translation>
    </message>
    <message>
        <source>Das Messungsjournal &quot;%1&quot; gibt es nicht.</source>
        <translation>The measurement journal &quot;%1&quot; does not exist.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; lässt sich nicht schreiben: %2</source>
        <translation>The file &quot;%1&quot; cannot be written: %2</translation>
    </message>
</context>
<context>
    <name>JpegPicture</name>
    <message>
        <source>kelmot: Bild %1 fehlt
</source>
        <translation>kelmot: picture %1 is missing
</translation>
    </message>
    <message>
        <source>kelmot: Bild %1 nicht lesbar: %2
</source>
        <translation>kelmot: picture %1 cannot be read: %2
</translation>
    </message>
</context>
<context>
    <name>LightBarrierDetector</name>
    <message>
        <source>Die Lichtschranke scheint eine Gleichspannung zu geben: Jede Dunkelphase endet kurz nach ihrem Beginn, und danach schlägt das Signal zur anderen Seite aus. So gemessen stimmen die Zeiten nicht; --signal edges („Gleichspannung (Flanken)“ in den Einstellungen) misst sie richtig.</source>
        <translation>The light barrier seems to give a steady voltage: every dark phase ends shortly after it begins, and then the signal swings the other way. Measured like this the times are wrong; --signal edges (“Steady voltage (edges)” in the settings) measures them right.</translation>
    </message>
    <message>
        <source>Die Lichtschranke scheint eine Gleichspannung zu geben; „Gleichspannung (Flanken)“ in den Einstellungen misst sie richtig.</source>
        <translation>The light barrier seems to give a steady voltage; “Steady voltage (edges)” in the settings measures it right.</translation>
    </message>
</context>
<context>
    <name>MeasurementStore</name>
    <message>
        <source>Messung %1</source>
        <translation>Run %1</translation>
    </message>
</context>
<context>
    <name>Pendulum</name>
    <message>
        <source>Die Pendellänge muss zwischen 50 mm und 10 m liegen.</source>
        <translation>The pendulum&apos;s length must lie between 50 mm and 10 m.</translation>
    </message>
    <message>
        <source>Die Unsicherheit der Länge muss zwischen 0 und einem Zehntel der Länge liegen.</source>
        <translation>The length&apos;s uncertainty must lie between 0 and a tenth of the length.</translation>
    </message>
    <message>
        <source>Die Breite des Pendelkörpers muss zwischen 1 mm und 200 mm liegen.</source>
        <translation>The bob&apos;s width must lie between 1 mm and 200 mm.</translation>
    </message>
    <message>
        <source>Es lassen sich 1 bis 200 Perioden messen, oder bis Abbrechen.</source>
        <translation>1 to 200 periods can be measured, or until Cancel.</translation>
    </message>
    <message>
        <source>T = %1 s</source>
        <translation>T = %1 s</translation>
    </message>
    <message>
        <source>τ = %1 s</source>
        <translation>τ = %1 s</translation>
    </message>
    <message>
        <source>Der Pendelkörper gibt den Strahl nicht mehr frei: Er schwingt zu wenig weit für seine Breite. Weiter auslenken oder die Lichtschranke genau unter den Aufhängepunkt stellen.</source>
        <translation>The bob no longer clears the beam: it swings too little for its width. Pull it further aside, or place the light barrier exactly below the pivot.</translation>
    </message>
    <message>
        <source>Ohne Korrektur der Amplitude (%2°): g = %1 m/s²</source>
        <extracomment>%1 g without the amplitude&apos;s correction, %2 the amplitude in degrees</extracomment>
        <translation>Without the amplitude&apos;s correction (%2°): g = %1 m/s²</translation>
    </message>
    <message>
        <source>Q = %1</source>
        <extracomment>the quality factor of the swing</extracomment>
        <translation>Q = %1</translation>
    </message>
</context>
<context>
    <name>PendulumCommand</name>
    <message>
        <source>Pendel %1</source>
        <translation>Pendulum %1</translation>
    </message>
    <message>
        <source>Durchgang;Zeit;Dunkel;Geschwindigkeit;Periode</source>
        <translation>Passage;Time;Dark;Speed;Period</translation>
    </message>
    <message>
        <source>Keine Periode aus weniger als drei Durchgängen.</source>
        <translation>No period from fewer than three passages.</translation>
    </message>
    <message>
        <source>kein Pendel mit einer ganzen Periode in der Aufnahme (%1 Flanken erkannt, Schwelle %2).</source>
        <translation>no pendulum with a whole period in the recording (%1 edges found, threshold %2).</translation>
    </message>
</context>
<context>
    <name>PendulumDiagram</name>
    <message>
        <source>%1, Q = %2</source>
        <extracomment>the decay fitted to the speeds: %1 τ with its uncertainty, %2 the quality factor Q</extracomment>
        <translation>%1, Q = %2</translation>
    </message>
    <message>
        <source>T in s</source>
        <translation>T in s</translation>
    </message>
    <message>
        <source>v in m/s</source>
        <translation>v in m/s</translation>
    </message>
    <message>
        <source>Diagramm der Periode über der Zeit mit %1 Perioden.</source>
        <translation>Diagram of the period over time with %1 periods.</translation>
    </message>
    <message>
        <source>Diagramm der Geschwindigkeit im tiefsten Punkt über der Zeit mit %1 Durchgängen.</source>
        <extracomment>%1 the number of passages drawn</extracomment>
        <translation>Diagram of the speed at the lowest point over time with %1 passages.</translation>
    </message>
</context>
<context>
    <name>PendulumTable</name>
    <message>
        <source>Durchgang</source>
        <translation>Passage</translation>
    </message>
    <message>
        <source>t in s</source>
        <translation>t in s</translation>
    </message>
    <message>
        <source>t dunkel in s</source>
        <translation>t dark in s</translation>
    </message>
    <message>
        <source>v in m/s</source>
        <translation>v in m/s</translation>
    </message>
    <message>
        <source>T in s</source>
        <translation>T in s</translation>
    </message>
</context>
<context>
    <name>PicketFence</name>
    <message>
        <source>Die Zahl der Latten muss zwischen %1 und %2 liegen.</source>
        <translation>The number of bands must be between %1 and %2.</translation>
    </message>
    <message>
        <source>Der Lattenabstand muss über 0 und höchstens %1 mm sein.</source>
        <translation>The band pitch must be above 0 and at most %1 mm.</translation>
    </message>
    <message>
        <source>Die Lattenbreite muss über 0 und kleiner als der Lattenabstand sein.</source>
        <translation>The band width must be above 0 and less than the band pitch.</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>Standardgerät</source>
        <translation>Default device</translation>
    </message>
    <message>
        <source>Kein Fehler.</source>
        <translation>No error.</translation>
    </message>
    <message>
        <source>Es ist kein Aufnahmegerät vorhanden, oder die Gerätenummer ist ungültig.</source>
        <translation>There is no recording device, or the device number is invalid.</translation>
    </message>
    <message>
        <source>Das Aufnahmegerät wird bereits von einem anderen Programm verwendet.</source>
        <translation>The recording device is already in use by another program.</translation>
    </message>
    <message>
        <source>Das Gerät ist nicht geöffnet.</source>
        <translation>The device is not open.</translation>
    </message>
    <message>
        <source>Es ist kein Treiber installiert.</source>
        <translation>No driver is installed.</translation>
    </message>
    <message>
        <source>Nicht genügend Speicher.</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>Ungültiger Parameter.</source>
        <translation>Invalid parameter.</translation>
    </message>
    <message>
        <source>Das Aufnahmeformat wird nicht unterstützt.</source>
        <translation>The recording format is not supported.</translation>
    </message>
    <message>
        <source>Es sind noch Puffer in der Warteschlange.</source>
        <translation>There are still buffers in the queue.</translation>
    </message>
    <message>
        <source>Der Puffer ist nicht vorbereitet.</source>
        <translation>The buffer is not prepared.</translation>
    </message>
    <message>
        <source>Die Wiedergabedatei kann nicht gelesen werden.</source>
        <translation>The playback file cannot be read.</translation>
    </message>
    <message>
        <source>Unbekannter Fehler %1.</source>
        <translation>Unknown error %1.</translation>
    </message>
    <message>
        <source>Die Wiedergabedatei &quot;%1&quot; ist zu lang.</source>
        <translation>The playback file &quot;%1&quot; is too long.</translation>
    </message>
    <message>
        <source>Die Wiedergabedatei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The playback file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>keine Abtastwerte</source>
        <translation>no samples</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; enthält keine Abtastwerte.</source>
        <translation>The file &quot;%1&quot; contains no samples.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; lässt sich nicht umrechnen: %2</source>
        <translation>The file &quot;%1&quot; cannot be converted: %2</translation>
    </message>
    <message>
        <source>Aufnahmequelle</source>
        <translation>Recording source</translation>
    </message>
    <message>
        <source>Lautstärke</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>%1 Lautstärke</source>
        <translation>%1 volume</translation>
    </message>
    <message>
        <source>Ton aus</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>%1 Ton aus</source>
        <translation>%1 mute</translation>
    </message>
    <message>
        <source>Wiedergabe</source>
        <translation>Playback</translation>
    </message>
    <message>
        <source>Aufnahme</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Simulierte Soundkarte</source>
        <translation>Simulated sound card</translation>
    </message>
    <message>
        <source>Mikrofon</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>Stereomix</source>
        <translation>Stereo mix</translation>
    </message>
</context>
<context>
    <name>ProgramSettings</name>
    <message>
        <source>Der Ordner von &quot;%1&quot; lässt sich nicht anlegen.</source>
        <translation>The folder of &quot;%1&quot; cannot be created.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lässt sich nicht schreiben.</source>
        <translation>&quot;%1&quot; cannot be written.</translation>
    </message>
</context>
<context>
    <name>Pulley</name>
    <message>
        <source>Die Zahl der Speichen muss zwischen %1 und %2 liegen.</source>
        <translation>The number of spokes must be between %1 and %2.</translation>
    </message>
    <message>
        <source>Der Radius der Rille muss zwischen 1 mm und 500 mm liegen.</source>
        <translation>The groove&apos;s radius must be between 1 mm and 500 mm.</translation>
    </message>
    <message>
        <source>Die Unsicherheit des Radius muss zwischen 0 und einem Zehntel des Radius liegen.</source>
        <translation>The radius&apos;s uncertainty must be between 0 and a tenth of the radius.</translation>
    </message>
    <message>
        <source>Es lassen sich 1 bis %1 Umdrehungen messen.</source>
        <translation>1 to %1 turns can be measured.</translation>
    </message>
    <message>
        <source>Die Massen müssen zwischen 0 und 100 kg liegen.</source>
        <translation>The masses must be between 0 and 100 kg.</translation>
    </message>
    <message>
        <source>Für die Vorhersage braucht es zwei verschiedene Massen, sonst beide 0.</source>
        <translation>The prediction needs two different masses; otherwise leave both at 0.</translation>
    </message>
    <message>
        <source>a = %1 m/s²</source>
        <translation>a = %1 m/s²</translation>
    </message>
    <message>
        <source>Aus s-t (Parabel): %1, R² = %2</source>
        <extracomment>%1 the string&apos;s acceleration with its uncertainty, %2 R²</extracomment>
        <translation>From s-t (parabola): %1, R² = %2</translation>
    </message>
    <message>
        <source>Aus v-t (Gerade): %1, R² = %2</source>
        <translation>From v-t (line): %1, R² = %2</translation>
    </message>
    <message>
        <source>Winkelbeschleunigung: α = %1 rad/s²</source>
        <extracomment>%1 the wheel&apos;s angular acceleration with its uncertainty</extracomment>
        <translation>Angular acceleration: α = %1 rad/s²</translation>
    </message>
    <message>
        <source>Ohne Reibung und Masse des Rads: a = g (m₁ − m₂)/(m₁ + m₂) = %1 m/s², gemessen %2 % davon entfernt</source>
        <extracomment>%1 the acceleration a frictionless, massless pulley would give, %2 the measured one&apos;s difference to it in percent</extracomment>
        <translation>Without friction and the wheel&apos;s mass: a = g (m₁ − m₂)/(m₁ + m₂) = %1 m/s², measured %2 % off</translation>
    </message>
</context>
<context>
    <name>PulleyCommand</name>
    <message>
        <source>Rad %1</source>
        <translation>Pulley %1</translation>
    </message>
    <message>
        <source>Speiche;Winkel;Ort;Zeit dunkel;Zeit hell;Geschwindigkeit</source>
        <translation>Spoke;Angle;Position;Time dark;Time bright;Speed</translation>
    </message>
    <message>
        <source>Unvollständig: %1 von %2 Speichen</source>
        <translation>Incomplete: %1 of %2 spokes</translation>
    </message>
    <message>
        <source>Kein a aus weniger als %1 Speichen.</source>
        <translation>No a from fewer than %1 spokes.</translation>
    </message>
    <message>
        <source>keine Umdrehung mit mindestens %1 Speichen in der Aufnahme (%2 Flanken erkannt, Schwelle %3).</source>
        <translation>no turn with at least %1 spokes in the recording (%2 edges found, threshold %3).</translation>
    </message>
</context>
<context>
    <name>PulleyTable</name>
    <message>
        <source>Speiche</source>
        <translation>Spoke</translation>
    </message>
    <message>
        <source>φ in °</source>
        <translation>φ in °</translation>
    </message>
    <message>
        <source>s in m</source>
        <translation>s in m</translation>
    </message>
    <message>
        <source>t dunkel in s</source>
        <translation>t dark in s</translation>
    </message>
    <message>
        <source>t hell in s</source>
        <translation>t bright in s</translation>
    </message>
    <message>
        <source>v in m/s</source>
        <translation>v in m/s</translation>
    </message>
    <message>
        <source>Rad %1</source>
        <translation>Pulley %1</translation>
    </message>
</context>
<context>
    <name>RelationNames</name>
    <message>
        <source>s ~ t</source>
        <translation>s ~ t</translation>
    </message>
    <message>
        <source>s ~ t²</source>
        <translation>s ~ t²</translation>
    </message>
    <message>
        <source>s² ~ t</source>
        <translation>s² ~ t</translation>
    </message>
    <message>
        <source>v konstant</source>
        <translation>v constant</translation>
    </message>
    <message>
        <source>v ~ t</source>
        <translation>v ~ t</translation>
    </message>
    <message>
        <source>kein Zusammenhang</source>
        <translation>no relationship</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 a series&apos; name, %2 its suspected relationship</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>; </source>
        <extracomment>between the series a diagram shows, each with its relationship</extracomment>
        <translation>; </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>%1 the series, %2 the value the diagram&apos;s label gives</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <extracomment>%1 the series and value, %2 the fitted curve&apos;s caption</extracomment>
        <translation>%1; %2</translation>
    </message>
</context>
<context>
    <name>RunJournal</name>
    <message>
        <source>Die Messungen werden nicht aufbewahrt: %1</source>
        <translation>Runs are not being kept: %1</translation>
    </message>
</context>
<context>
    <name>RunTables</name>
    <message>
        <source>Nr.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Uhrzeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Ort (m)</source>
        <translation>Position (m)</translation>
    </message>
    <message>
        <source>Zeit aus (s)</source>
        <translation>Beam blocked (s)</translation>
    </message>
    <message>
        <source>Zeit an (s)</source>
        <translation>Beam clear (s)</translation>
    </message>
</context>
<context>
    <name>RunsCommand</name>
    <message>
        <source>noch keine Messung aufbewahrt (%1).</source>
        <translation>no run kept yet (%1).</translation>
    </message>
    <message>
        <source>keine Messung im Journal.</source>
        <translation>no run in the journal.</translation>
    </message>
    <message>
        <source>Das Messungsjournal ist als &quot;%1&quot; gesichert. Aufbewahrte Messungen: %2</source>
        <translation>The measurement journal is backed up as &quot;%1&quot;. Runs kept: %2</translation>
    </message>
</context>
<context>
    <name>SeriesOfRuns</name>
    <message>
        <source>Messung</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>a in m/s²</source>
        <translation>a in m/s²</translation>
    </message>
    <message>
        <source>v₀ in m/s</source>
        <translation>v₀ in m/s</translation>
    </message>
    <message>
        <source>Mittelwert (n = %1)</source>
        <translation>Mean (n = %1)</translation>
    </message>
    <message>
        <source>Standardabweichung s</source>
        <translation>Standard deviation s</translation>
    </message>
    <message>
        <source>Unsicherheit des Mittelwerts s/√n</source>
        <translation>Uncertainty of the mean s/√n</translation>
    </message>
</context>
<context>
    <name>SessionState</name>
    <message>
        <source>  Warte auf Start  </source>
        <translation>  Waiting for start  </translation>
    </message>
    <message>
        <source>  Messung gestartet  </source>
        <translation>  Run started  </translation>
    </message>
    <message>
        <source>  Messung beendet  </source>
        <translation>  Run finished  </translation>
    </message>
    <message>
        <source>   Abgebrochen   </source>
        <translation>   Cancelled   </translation>
    </message>
    <message>
        <source>  Daten verloren - bitte neu messen  </source>
        <translation>  Data lost - please measure again  </translation>
    </message>
    <message>
        <source>  Keine Daten vom Aufnahmegerät - bitte prüfen und neu messen  </source>
        <translation>  No data from the recording device - please check and measure again  </translation>
    </message>
    <message>
        <source>  Aufnahme nicht möglich: %1  </source>
        <extracomment>%1 why the sound card could not be opened</extracomment>
        <translation>  Cannot record: %1  </translation>
    </message>
</context>
<context>
    <name>StDiagram</name>
    <message>
        <source>Weg in m</source>
        <translation>Distance in m</translation>
    </message>
    <message>
        <source>Quotient (mittel) : %1</source>
        <translation>Mean ratio: %1</translation>
    </message>
</context>
<context>
    <name>StartOptions</name>
    <message>
        <source>DATEI.kmd</source>
        <translation>FILE.kmd</translation>
    </message>
    <message>
        <source>Diese Messdatei beim Start als s-t-Tabelle zeigen.</source>
        <translation>Show this data file as an s-t table at start.</translation>
    </message>
    <message>
        <source>[DATEI.kmd]</source>
        <translation>[FILE.kmd]</translation>
    </message>
    <message>
        <source>Kelmot: Messung von Weg und Geschwindigkeit mit zehn Lichtschranken an der Soundkarte.</source>
        <translation>Kelmot: measures distance and velocity with ten light barriers on the sound card.</translation>
    </message>
    <message>
        <source>Diese Hilfe anzeigen.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Die Version anzeigen.</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>Statt der Soundkarte die virtuelle Fahrbahn messen (Vorführung ohne Geräte).</source>
        <translation>Measure the virtual track instead of the sound card (demonstration without hardware).</translation>
    </message>
    <message>
        <source>Statt der Soundkarte die WAV-Datei DATEI abspielen.</source>
        <translation>Play the WAV file FILE instead of the sound card.</translation>
    </message>
    <message>
        <source>DATEI</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Mischpult: alsa (Vorgabe) oder simulated (simuliertes Mischpult).</source>
        <translation>Mixer: alsa (default) or simulated (a simulated mixer).</translation>
    </message>
    <message>
        <source>ART</source>
        <translation>TYPE</translation>
    </message>
    <message>
        <source>Ohne Fenster alle vollständigen Messungen in der Aufnahme DATEI (WAV) auswerten und als Messdaten ausgeben.</source>
        <translation>Without a window, evaluate every complete run in the recording FILE (WAV) and print it as measurement data.</translation>
    </message>
    <message>
        <source>Mit --analyse: jede Messung als NAME-1.kmd, NAME-2.kmd ... in ORDNER schreiben.</source>
        <translation>With --analyse: write each run as NAME-1.kmd, NAME-2.kmd ... into FOLDER.</translation>
    </message>
    <message>
        <source>ORDNER</source>
        <translation>FOLDER</translation>
    </message>
    <message>
        <source>Mit --analyse: Schwelle statt der aus kelmot.cfg (Vorgabe 5000).</source>
        <translation>With --analyse: the threshold to use instead of the one in kelmot.cfg (default 5000).</translation>
    </message>
    <message>
        <source>WERT</source>
        <translation>VALUE</translation>
    </message>
    <message>
        <source>Zeitraffer der Simulation.</source>
        <translation>Simulation speed-up factor.</translation>
    </message>
    <message>
        <source>FAKTOR</source>
        <translation>FACTOR</translation>
    </message>
    <message>
        <source>Sprache der Texte: de (Deutsch) oder en (Englisch); ohne die Option die des Desktops.</source>
        <translation>Language of the texts: de (German) or en (English); without this option, the desktop&apos;s language.</translation>
    </message>
    <message>
        <source>SPRACHE</source>
        <translation>LANGUAGE</translation>
    </message>
    <message>
        <source>unbekanntes Argument: %1</source>
        <translation>unknown argument: %1</translation>
    </message>
    <message>
        <source>--simulate und --replay schließen einander aus.</source>
        <translation>--simulate and --replay cannot be used together.</translation>
    </message>
    <message>
        <source>--analyse liest eine Aufnahme; --simulate und --replay passen nicht dazu.</source>
        <translation>--analyse reads a recording; it cannot be combined with --simulate or --replay.</translation>
    </message>
    <message>
        <source>ungültige Schwelle &apos;%1&apos;.</source>
        <translation>invalid threshold &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--output und --threshold gehören zu --analyse.</source>
        <translation>--output and --threshold can only be used with --analyse.</translation>
    </message>
    <message>
        <source>unbekanntes Mischpult &apos;%1&apos; (alsa oder simulated).</source>
        <translation>unknown mixer &apos;%1&apos; (alsa or simulated).</translation>
    </message>
    <message>
        <source>ungültiger Zeitraffer &apos;%1&apos;.</source>
        <translation>invalid speed-up factor &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>unbekannte Sprache &apos;%1&apos; (de oder en).</source>
        <translation>unknown language &apos;%1&apos; (de or en).</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>virtuelle Fahrbahn</source>
        <translation>virtual track</translation>
    </message>
    <message>
        <source>Wiedergabe</source>
        <translation>Playback</translation>
    </message>
    <message>
        <source>Die Klassenansicht beim Start einschalten und jede Adresse mit ihrem Zugangscode ausgeben.</source>
        <translation>Switch the classroom view on at start and print each address with its access code.</translation>
    </message>
    <message>
        <source>--classroom braucht das Fenster; --analyse passt nicht dazu.</source>
        <translation>--classroom needs the program window; it cannot be combined with --analyse.</translation>
    </message>
    <message>
        <source>Lizenz GPL-3.0-or-later: GNU GPL Version 3 oder neuer &lt;https://www.gnu.org/licenses/gpl.html&gt;.
Dies ist freie Software: Sie dürfen sie ändern und weitergeben. Es gibt keine Garantie, soweit das Gesetz es zulässt.
</source>
        <translation>License GPL-3.0-or-later: GNU GPL version 3 or later &lt;https://www.gnu.org/licenses/gpl.html&gt;.
This is free software: you are free to change and redistribute it. There is NO WARRANTY, to the extent permitted by law.
</translation>
    </message>
    <message>
        <source>Ohne Fenster jede aufbewahrte Messung als Zeile ausgeben (Tabulator zwischen den Feldern, Dezimalpunkt); mit --output jede als .kmd-Datei.</source>
        <translation>Print every kept run as one line without a window (tabs between the fields, a decimal point); with --output, write each as a .kmd file.</translation>
    </message>
    <message>
        <source>Mit --runs: nur Messungen ab diesem Tag (JJJJ-MM-TT).</source>
        <translation>With --runs: only runs from this day on (YYYY-MM-DD).</translation>
    </message>
    <message>
        <source>DATUM</source>
        <translation>DATE</translation>
    </message>
    <message>
        <source>--runs liest das Journal; nur --since und --output passen dazu.</source>
        <translation>--runs reads the journal; only --since and --output go with it.</translation>
    </message>
    <message>
        <source>ungültiges Datum &apos;%1&apos; (JJJJ-MM-TT).</source>
        <translation>invalid date &apos;%1&apos; (YYYY-MM-DD).</translation>
    </message>
    <message>
        <source>--since gehört zu --runs.</source>
        <translation>--since belongs to --runs.</translation>
    </message>
    <message>
        <source>Signal der Lichtschranken: tone (ein Ton, solange ein Strahl unterbrochen ist) oder edges (eine Gleichspannung, von der die Soundkarte nur die Flanken durchlässt); ohne die Option die in den Einstellungen gewählte. Mit --simulate: die Lichtschranken der Simulation.</source>
        <translation>What the light barriers send: tone (a tone while a beam is interrupted) or edges (a steady voltage of which the sound card passes only the changes); without the option the kind chosen in the settings. With --simulate: the simulation&apos;s light barriers.</translation>
    </message>
    <message>
        <source>unbekanntes Signal &apos;%1&apos; (tone oder edges).</source>
        <translation>unknown signal &apos;%1&apos; (tone or edges).</translation>
    </message>
    <message>
        <source>VERSUCH</source>
        <translation>EXPERIMENT</translation>
    </message>
    <message>
        <source>Mit --experiment fall: Zahl der Latten (2 bis 30).</source>
        <translation>With --experiment fall: number of bands (2 to 30).</translation>
    </message>
    <message>
        <source>ZAHL</source>
        <translation>NUMBER</translation>
    </message>
    <message>
        <source>Mit --experiment fall: Abstand von einer Lattenvorderkante zur nächsten in mm.</source>
        <translation>With --experiment fall: distance from one band&apos;s leading edge to the next in mm.</translation>
    </message>
    <message>
        <source>MM</source>
        <translation>MM</translation>
    </message>
    <message>
        <source>Mit --experiment fall: Breite einer Latte in Fallrichtung in mm.</source>
        <translation>With --experiment fall: width of a band along the fall in mm.</translation>
    </message>
    <message>
        <source>--bands, --pitch und --band-width gehören zu --experiment fall.</source>
        <translation>--bands, --pitch and --band-width belong to --experiment fall.</translation>
    </message>
    <message>
        <source>--experiment gehört zu --analyse.</source>
        <translation>--experiment belongs to --analyse.</translation>
    </message>
    <message>
        <source>ungültige Zahl der Latten &apos;%1&apos;.</source>
        <translation>invalid number of bands &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>ungültige Länge &apos;%1&apos; für --%2.</source>
        <translation>invalid length &apos;%1&apos; for --%2.</translation>
    </message>
    <message>
        <source>virtueller Lattenzaun</source>
        <translation>virtual picket fence</translation>
    </message>
    <message>
        <source>Mit --experiment pendulum: Länge vom Aufhängepunkt zur Mitte des Pendelkörpers in mm (500).</source>
        <translation>With --experiment pendulum: length from the pivot to the bob&apos;s centre in mm (500).</translation>
    </message>
    <message>
        <source>Mit --experiment pendulum: Breite des Pendelkörpers im Strahl in mm (20).</source>
        <translation>With --experiment pendulum: the bob&apos;s width in the beam in mm (20).</translation>
    </message>
    <message>
        <source>Mit --experiment pendulum: Perioden je Messung (1 bis 200, 10); 0: bis das Pendel steht.</source>
        <translation>With --experiment pendulum: periods per measurement (1 to 200, 10); 0: until the pendulum stops.</translation>
    </message>
    <message>
        <source>ungültige Zahl der Perioden &apos;%1&apos;.</source>
        <translation>invalid number of periods &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--length, --bob-width und --periods gehören zu --experiment pendulum.</source>
        <translation>--length, --bob-width and --periods belong to --experiment pendulum.</translation>
    </message>
    <message>
        <source>virtuelles Pendel</source>
        <translation>virtual pendulum</translation>
    </message>
    <message>
        <source>virtuelles Speichenrad</source>
        <translation>virtual spoked pulley</translation>
    </message>
    <message>
        <source>Mit --analyse: fall (ein Lattenzaun fällt durch eine Lichtschranke), pendulum (ein Pendel schwingt durch eine Lichtschranke) oder pulley (ein Speichenrad dreht sich durch eine Lichtschranke) statt der Fahrbahn mit zehn Lichtschranken.</source>
        <translation>With --analyse: fall (a picket fence falls through one light barrier), pendulum (a pendulum swings through one light barrier) or pulley (a spoked pulley turns through one light barrier) instead of the track with ten light barriers.</translation>
    </message>
    <message>
        <source>Mit --experiment pulley: Zahl der Speichen (2 bis 36, 10).</source>
        <translation>With --experiment pulley: the number of spokes (2 to 36, 10).</translation>
    </message>
    <message>
        <source>Mit --experiment pulley: Radius der Rille, in der der Faden läuft, in mm (25).</source>
        <translation>With --experiment pulley: the radius of the groove the string runs in, in mm (25).</translation>
    </message>
    <message>
        <source>Mit --experiment pulley: Umdrehungen je Messung (1 bis 20, 2).</source>
        <translation>With --experiment pulley: turns per measurement (1 to 20, 2).</translation>
    </message>
    <message>
        <source>ungültige Zahl &apos;%1&apos; für --%2.</source>
        <translation>invalid number &apos;%1&apos; for --%2.</translation>
    </message>
    <message>
        <source>--spokes, --radius und --turns gehören zu --experiment pulley.</source>
        <translation>--spokes, --radius and --turns belong to --experiment pulley.</translation>
    </message>
    <message>
        <source>unbekannter Versuch &apos;%1&apos; (fall, pendulum, pulley).</source>
        <translation>unknown experiment &apos;%1&apos; (fall, pendulum, pulley).</translation>
    </message>
    <message>
        <source>Ohne Fenster das ganze Messungsjournal in die eine Datei DATEI sichern.</source>
        <translation>Back up the whole measurement journal into the one file FILE, without a window.</translation>
    </message>
    <message>
        <source>--backup sichert das Journal in eine Datei; nichts passt dazu.</source>
        <translation>--backup copies the journal into a file; nothing goes with it.</translation>
    </message>
</context>
<context>
    <name>SwingKeeping</name>
    <message>
        <source>Pendel %1</source>
        <translation>Pendulum %1</translation>
    </message>
</context>
<context>
    <name>VtDiagram</name>
    <message>
        <source>Geschw. in m/s</source>
        <translation>Velocity in m/s</translation>
    </message>
    <message>
        <source>Mittelwert : %1</source>
        <translation>Mean: %1</translation>
    </message>
    <message>
        <source>Steigung : %1</source>
        <translation>Slope: %1</translation>
    </message>
</context>
<context>
    <name>kelmot::AllRunsWindow</name>
    <message>
        <source>   Alle Messungen</source>
        <translation>   All runs</translation>
    </message>
    <message numerus="yes">
        <source>%n Messung(en) endgültig löschen?</source>
        <translation>
            <numerusform>Delete %n run for good?</numerusform>
            <numerusform>Delete %n runs for good?</numerusform>
        </translation>
    </message>
    <message>
        <source>Zeitraum</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Heute</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Diese Woche</source>
        <translation>This week</translation>
    </message>
    <message>
        <source>Alle</source>
        <translation>All</translation>
    </message>
    <message>
        <source>&amp;Suchen:</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>Alle Messungen</source>
        <translation>All runs</translation>
    </message>
    <message>
        <source>Laden s-t</source>
        <translation>Load s-t</translation>
    </message>
    <message>
        <source>Laden v-t</source>
        <translation>Load v-t</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ordner für die Messdateien</source>
        <translation>Folder for the data files</translation>
    </message>
    <message>
        <source>Excel-Dateien (*.xls);;Alle Dateien (*)</source>
        <translation>Excel files (*.xls);;All files (*)</translation>
    </message>
    <message>
        <source>Das Messungsjournal lässt sich nicht öffnen.</source>
        <translation>The journal of runs cannot be opened.</translation>
    </message>
    <message>
        <source>Messungen</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>Ein freier Fall lässt sich nur als Tabelle exportieren.</source>
        <translation>A free fall can only be exported as a table.</translation>
    </message>
    <message>
        <source>Ein Pendel lässt sich nur als Tabelle exportieren.</source>
        <translation>A pendulum can only be exported as a table.</translation>
    </message>
    <message>
        <source>Ein Speichenrad lässt sich nur als Tabelle exportieren.</source>
        <translation>A spoked pulley can only be exported as a table.</translation>
    </message>
    <message>
        <source>Sichern …</source>
        <translation>Back up …</translation>
    </message>
    <message>
        <source>Das ganze Messungsjournal in eine Datei sichern</source>
        <translation>Back up the whole measurement journal into one file</translation>
    </message>
    <message>
        <source>Messungsjournal sichern</source>
        <translation>Back up the measurement journal</translation>
    </message>
    <message>
        <source>Messungsjournale (*.sqlite)</source>
        <translation>Measurement journals (*.sqlite)</translation>
    </message>
    <message>
        <source>Alle Dateien (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>kelmot::ClassroomWindow</name>
    <message>
        <source>   Klassenansicht</source>
        <translation>   Classroom view</translation>
    </message>
    <message>
        <source>Im Browser eines Geräts im selben Netz öffnen:</source>
        <translation>Open in the browser of a device on the same network:</translation>
    </message>
    <message>
        <source>QR-Code der Adresse mit dem Zugangscode</source>
        <translation>QR code of the address with the access code</translation>
    </message>
    <message>
        <source>Zugangscode:</source>
        <translation>Access code:</translation>
    </message>
    <message>
        <source>Die Seite zeigt die Messung nur an: von dort lässt sich im Programm nichts starten, anhalten oder ändern.</source>
        <translation>The page only shows the measurement: nothing in the program can be started, stopped or changed from it.</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Switch off</translation>
    </message>
    <message>
        <source>Die Klassenansicht konnte nicht starten: kein freier Port von %1 bis %2.</source>
        <translation>The classroom view could not start: no free port from %1 to %2.</translation>
    </message>
    <message>
        <source>Adresse: %1</source>
        <translation>Address: %1</translation>
    </message>
    <message>
        <source>Zugangscode: %1</source>
        <translation>Access code: %1</translation>
    </message>
    <message numerus="yes">
        <source>Verbundene Geräte: %n</source>
        <translation>
            <numerusform>%n device connected</numerusform>
            <numerusform>%n devices connected</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kelmot::DiagramWindow</name>
    <message>
        <source>Zwischenablage</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>Ausdrucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Diagramme löschen</source>
        <translation>Clear diagrams</translation>
    </message>
    <message>
        <source>Ausgleichskurve</source>
        <translation>Fitted curve</translation>
    </message>
</context>
<context>
    <name>kelmot::ExperimentDiagramView</name>
    <message>
        <source>Zwischenablage</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>Ausdrucken</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>kelmot::ExperimentWindow</name>
    <message>
        <source>Messen</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Rechter Mausklick öffnet Menü</source>
        <translation>Right-click to open the menu</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Tabelle in Zwischenablage</source>
        <translation>Copy table to clipboard</translation>
    </message>
    <message>
        <source>Export als EXCEL-Datei</source>
        <translation>Export as Excel file</translation>
    </message>
    <message>
        <source>Export als CSV-Datei</source>
        <translation>Export as CSV file</translation>
    </message>
    <message>
        <source>EXCEL-Daten (*.xls);;Alle Dateien (*)</source>
        <translation>Excel files (*.xls);;All files (*)</translation>
    </message>
    <message>
        <source>CSV-Daten (*.csv);;Alle Dateien (*)</source>
        <translation>CSV data (*.csv);;All files (*)</translation>
    </message>
</context>
<context>
    <name>kelmot::FallWindow</name>
    <message>
        <source>   Freier Fall mit dem Lattenzaun</source>
        <translation>   Free fall with the picket fence</translation>
    </message>
    <message>
        <source>   Lattenzaun   </source>
        <translation>   Picket fence   </translation>
    </message>
    <message>
        <source>Latten:</source>
        <translation>Bands:</translation>
    </message>
    <message>
        <source>Lattenabstand in mm:</source>
        <translation>Band pitch in mm:</translation>
    </message>
    <message>
        <source>Lattenbreite in mm:</source>
        <translation>Band width in mm:</translation>
    </message>
    <message>
        <source>Messtabelle des Falls</source>
        <translation>Measurement table of the drop</translation>
    </message>
    <message>
        <source>Kein g aus weniger als %1 Latten.</source>
        <translation>No g from fewer than %1 bands.</translation>
    </message>
    <message>
        <source>Aus s-t (Parabel): %1, R² = %2</source>
        <extracomment>%1 g with its uncertainty, %2 R²</extracomment>
        <translation>From s-t (parabola): %1, R² = %2</translation>
    </message>
    <message>
        <source>Aus v-t (Gerade): %1, R² = %2</source>
        <translation>From v-t (line): %1, R² = %2</translation>
    </message>
    <message>
        <source>Abweichung von 9,81 m/s²: %1 %</source>
        <translation>Difference from 9.81 m/s²: %1 %</translation>
    </message>
    <message>
        <source>Mittel aus %1 Fällen: %2, Standardabweichung %3 m/s²</source>
        <extracomment>%1 the number of drops, %2 their mean g with its uncertainty, %3 the standard deviation</extracomment>
        <translation>Mean of %1 drops: %2, standard deviation %3 m/s²</translation>
    </message>
    <message>
        <source>s-t-Diagramm</source>
        <translation>s-t diagram</translation>
    </message>
    <message>
        <source>v-t-Diagramm</source>
        <translation>v-t diagram</translation>
    </message>
    <message>
        <source>Unvollständig: %1 von %2 Latten</source>
        <translation>Incomplete: %1 of %2 bands</translation>
    </message>
    <message>
        <source>s-t Diagramm des Falls</source>
        <translation>s-t diagram of the drop</translation>
    </message>
    <message>
        <source>v-t Diagramm des Falls</source>
        <translation>v-t diagram of the drop</translation>
    </message>
</context>
<context>
    <name>kelmot::HelpWindow</name>
    <message>
        <source>Kelmot – Hilfe</source>
        <translation>Kelmot – Help</translation>
    </message>
    <message>
        <source>Handbuch</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>kelmot::MeasurementSession</name>
    <message>
        <source>(kein Mischpult gefunden)</source>
        <translation>(no mixer found)</translation>
    </message>
    <message>
        <source>(kein Eingang gewählt)</source>
        <translation>(no input chosen)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 the sound card (or &quot;Simulation&quot;), %2 its input line (or the replayed file)</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>kelmot::PendulumWindow</name>
    <message>
        <source>   Pendel durch eine Lichtschranke</source>
        <translation>   Pendulum through one light barrier</translation>
    </message>
    <message>
        <source>   Pendel   </source>
        <translation>   Pendulum   </translation>
    </message>
    <message>
        <source>Pendellänge in mm:</source>
        <translation>Length in mm:</translation>
    </message>
    <message>
        <source>± in mm:</source>
        <translation>± in mm:</translation>
    </message>
    <message>
        <source>Unsicherheit der Pendellänge in mm</source>
        <translation>Uncertainty of the length in mm</translation>
    </message>
    <message>
        <source>Körperbreite in mm:</source>
        <translation>Bob width in mm:</translation>
    </message>
    <message>
        <source>Perioden:</source>
        <translation>Periods:</translation>
    </message>
    <message>
        <source>bis Abbrechen</source>
        <translation>until Cancel</translation>
    </message>
    <message>
        <source>Messtabelle des Pendels</source>
        <translation>Measurement table of the pendulum</translation>
    </message>
    <message>
        <source>Perioden-Diagramm</source>
        <translation>Period diagram</translation>
    </message>
    <message>
        <source>Geschwindigkeits-Diagramm</source>
        <translation>Speed diagram</translation>
    </message>
    <message>
        <source>Keine Periode aus weniger als drei Durchgängen.</source>
        <translation>No period from fewer than three passages.</translation>
    </message>
    <message>
        <source>Unvollständig: %1 von %2 Durchgängen</source>
        <extracomment>%1 the passages measured, %2 those a whole measurement has</extracomment>
        <translation>Incomplete: %1 of %2 passages</translation>
    </message>
    <message>
        <source>Perioden-Diagramm des Pendels</source>
        <translation>Period diagram of the pendulum</translation>
    </message>
    <message>
        <source>Geschwindigkeits-Diagramm des Pendels</source>
        <translation>Speed diagram of the pendulum</translation>
    </message>
</context>
<context>
    <name>kelmot::PulleyWindow</name>
    <message>
        <source>   Speichenrad durch eine Lichtschranke</source>
        <translation>   Spoked pulley through one light barrier</translation>
    </message>
    <message>
        <source>   Speichenrad   </source>
        <translation>   Spoked pulley   </translation>
    </message>
    <message>
        <source>Messtabelle des Speichenrads</source>
        <translation>The spoked pulley&apos;s table</translation>
    </message>
    <message>
        <source>s-t-Diagramm</source>
        <translation>s-t diagram</translation>
    </message>
    <message>
        <source>v-t-Diagramm</source>
        <translation>v-t diagram</translation>
    </message>
    <message>
        <source>Speichen:</source>
        <translation>Spokes:</translation>
    </message>
    <message>
        <source>Radius der Rille in mm:</source>
        <translation>Groove radius in mm:</translation>
    </message>
    <message>
        <source>± in mm:</source>
        <translation>± in mm:</translation>
    </message>
    <message>
        <source>Unsicherheit des Radius in mm</source>
        <translation>Uncertainty of the radius in mm</translation>
    </message>
    <message>
        <source>Umdrehungen:</source>
        <translation>Turns:</translation>
    </message>
    <message>
        <source>Masse 1 in g:</source>
        <translation>Mass 1 in g:</translation>
    </message>
    <message>
        <source>Masse 2 in g:</source>
        <translation>Mass 2 in g:</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Unvollständig: %1 von %2 Speichen</source>
        <extracomment>%1 the spokes measured, %2 those the turns asked for have</extracomment>
        <translation>Incomplete: %1 of %2 spokes</translation>
    </message>
    <message>
        <source>Kein a aus weniger als %1 Speichen.</source>
        <translation>No a from fewer than %1 spokes.</translation>
    </message>
    <message>
        <source>s-t Diagramm des Speichenrads</source>
        <translation>s-t diagram of the spoked pulley</translation>
    </message>
    <message>
        <source>v-t Diagramm des Speichenrads</source>
        <translation>v-t diagram of the spoked pulley</translation>
    </message>
</context>
<context>
    <name>kelmot::RunListModel</name>
    <message>
        <source>1 ms</source>
        <translation>1 ms</translation>
    </message>
    <message>
        <source>10 ms</source>
        <translation>10 ms</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Uhrzeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Auflösung</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Fahnenbreite</source>
        <translation>Flag width</translation>
    </message>
    <message>
        <source>Quelle</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation>Duration</translation>
    </message>
</context>
<context>
    <name>kelmot::SeriesOfRunsWindow</name>
    <message>
        <source>   Messreihe</source>
        <translation>   Series of runs</translation>
    </message>
    <message>
        <source>Messreihe</source>
        <translation>Series of runs</translation>
    </message>
    <message>
        <source>Rechter Mausklick öffnet Menü</source>
        <translation>Right-click to open the menu</translation>
    </message>
    <message>
        <source>Tabelle in Zwischenablage</source>
        <translation>Copy table to clipboard</translation>
    </message>
    <message>
        <source>Ausdrucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>a und v₀ aus der Ausgleichskurve jeder Messung (s-t), darunter ihr Mittelwert und ihre Streuung.</source>
        <translation>a and v₀ from each run&apos;s fitted curve (s-t), below them their mean and spread.</translation>
    </message>
    <message>
        <source>Eine Messreihe braucht zwei oder drei gespeicherte Messungen: in den Einstellungen &quot;Drei Listen&quot; wählen und mehrmals messen.</source>
        <translation>A series of runs needs two or three stored runs: choose &quot;three lists&quot; in the settings and measure several times.</translation>
    </message>
</context>
<context>
    <name>kelmot::TAboutBox</name>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm1</name>
    <message>
        <source>Kelmotdaten (*.kmd *.KMD);;Alle Dateien (*)</source>
        <translation>Kelmot data (*.kmd *.KMD);;All files (*)</translation>
    </message>
    <message>
        <source>  Geschwindigkeits-Zeit-Zusammenhang (s-t)</source>
        <translation>  Velocity-time relationship (s-t)</translation>
    </message>
    <message>
        <source>  Weg-Zeit-Zusammenhang (s-t)</source>
        <translation>  Distance-time relationship (s-t)</translation>
    </message>
    <message>
        <source>  Weg-Zeit-Zusammenhang auswerten </source>
        <translation>  Evaluate distance-time relationship </translation>
    </message>
    <message>
        <source>  Geschwindigkeits-Zeit-Zusammenhang auswerten </source>
        <translation>  Evaluate velocity-time relationship </translation>
    </message>
    <message>
        <source>   Kelmot</source>
        <translation>   Kelmot</translation>
    </message>
    <message>
        <source>Versuchsaufbau</source>
        <translation>Experimental set-up</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Laden s-t</source>
        <translation>Load s-t</translation>
    </message>
    <message>
        <source>Laden v-t</source>
        <translation>Load v-t</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Messen</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Messen s-t</source>
        <translation>Measure s-t</translation>
    </message>
    <message>
        <source>Messen v-t</source>
        <translation>Measure v-t</translation>
    </message>
    <message>
        <source>Auswerten</source>
        <translation>Evaluate</translation>
    </message>
    <message>
        <source>Auswerten s-t</source>
        <translation>Evaluate s-t</translation>
    </message>
    <message>
        <source>Auswerten v-t</source>
        <translation>Evaluate v-t</translation>
    </message>
    <message>
        <source>Diagramm</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>Diagramm s-t</source>
        <translation>Diagram s-t</translation>
    </message>
    <message>
        <source>Diagramm v-t</source>
        <translation>Diagram v-t</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Datei laden</source>
        <translation>Load file</translation>
    </message>
    <message>
        <source>Datei speichern</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>s-t-Messung</source>
        <translation>s-t measurement</translation>
    </message>
    <message>
        <source>v-t-Messung</source>
        <translation>v-t measurement</translation>
    </message>
    <message>
        <source>s-t Auswertung</source>
        <translation>s-t evaluation</translation>
    </message>
    <message>
        <source>v-t Auswertung</source>
        <translation>v-t evaluation</translation>
    </message>
    <message>
        <source>s-t Auswertung / Diagramm</source>
        <translation>s-t evaluation / diagram</translation>
    </message>
    <message>
        <source>v-t Auswertung / Diagramm</source>
        <translation>v-t evaluation / diagram</translation>
    </message>
    <message>
        <source>  Weg-Zeit-Zusammenhang messen (s-t)</source>
        <translation>  Measure distance-time relationship (s-t)</translation>
    </message>
    <message>
        <source>  Geschwindigkeits-Zeit Zusammenhang messen (v-t)</source>
        <translation>  Measure velocity-time relationship (v-t)</translation>
    </message>
    <message>
        <source>Klassenansicht</source>
        <translation>Classroom view</translation>
    </message>
    <message>
        <source>Messreihe auswerten</source>
        <translation>Evaluate series of runs</translation>
    </message>
    <message>
        <source>Daten : %1</source>
        <translation>Data: %1</translation>
    </message>
    <message>
        <source>Die Messungen der letzten Sitzung sind wiederhergestellt.</source>
        <translation>The runs of the last session have been restored.</translation>
    </message>
    <message>
        <source>Alle Messungen</source>
        <translation>All runs</translation>
    </message>
    <message>
        <source>Messen freier Fall</source>
        <translation>Measure free fall</translation>
    </message>
    <message>
        <source>Freier Fall</source>
        <translation>Free fall</translation>
    </message>
    <message>
        <source>Messen Pendel</source>
        <translation>Measure pendulum</translation>
    </message>
    <message>
        <source>Pendel</source>
        <translation>Pendulum</translation>
    </message>
    <message>
        <source>Messen Rad</source>
        <translation>Measure pulley</translation>
    </message>
    <message>
        <source>Speichenrad</source>
        <translation>Spoked pulley</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm2</name>
    <message>
        <source>   Tabelle</source>
        <translation>   Table</translation>
    </message>
    <message>
        <source>Messtabelle</source>
        <translation>Measurement table</translation>
    </message>
    <message>
        <source>   Auflösung   </source>
        <translation>   Resolution   </translation>
    </message>
    <message>
        <source>Zeitauflösung der Messung</source>
        <translation>Time resolution of the measurement</translation>
    </message>
    <message>
        <source>    1 ms</source>
        <translation>    1 ms</translation>
    </message>
    <message>
        <source>   10 ms</source>
        <translation>   10 ms</translation>
    </message>
    <message>
        <source>   Messung   </source>
        <translation>   Run   </translation>
    </message>
    <message>
        <source>Messung verwalten</source>
        <translation>Manage the run</translation>
    </message>
    <message>
        <source>Messen</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Messung</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>SOUNDKARTE :  %1%2EINGANG:  %3</source>
        <extracomment>%1 the sound card, %2 blanks between the two, %3 its input line</extracomment>
        <translation>SOUND CARD:  %1%2INPUT:  %3</translation>
    </message>
    <message>
        <source>Zeiten ansagen</source>
        <translation>Announce times</translation>
    </message>
    <message>
        <source>Ein Bildschirmleser sagt jede Zeit an, sobald sie gemessen ist</source>
        <translation>A screen reader announces each time as soon as it is measured</translation>
    </message>
    <message>
        <source>Schranke %1: %2 s bis %3 s</source>
        <extracomment>said to a screen reader: %1 the barrier (1 to 10), %2 its dark time, %3 its bright time</extracomment>
        <translation>Barrier %1: %2 s to %3 s</translation>
    </message>
    <message>
        <source>Schranke %1: %2 s</source>
        <extracomment>said to a screen reader: %1 the barrier (1 to 10), %2 its time</extracomment>
        <translation>Barrier %1: %2 s</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm3</name>
    <message>
        <source>   s-t Diagramm</source>
        <translation>   s-t diagram</translation>
    </message>
    <message>
        <source>Maustaste öffnet Menu</source>
        <translation>Click to open the menu</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm4</name>
    <message>
        <source>   v-t Diagramm</source>
        <translation>   v-t diagram</translation>
    </message>
    <message>
        <source>Maustaste öffnet Menü</source>
        <translation>Click to open the menu</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm5</name>
    <message>
        <source>   Keine Messdaten</source>
        <translation>   No measurement data</translation>
    </message>
    <message>
        <source>Warnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Keine Messdaten vorhanden.</source>
        <translation>There is no measurement data.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bitte Messung durchführen (&quot;Messen&quot;) oder Datei laden.</source>
        <translation>Please measure (&quot;Measure&quot;) or load a file.</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm6</name>
    <message>
        <source>   Messtabelle</source>
        <translation>   Measurement table</translation>
    </message>
    <message>
        <source>Daten : </source>
        <translation>Data: </translation>
    </message>
    <message>
        <source>Auswertungstabelle</source>
        <translation>Evaluation table</translation>
    </message>
    <message>
        <source>Rechter Mausklick öffnet Menü</source>
        <translation>Right-click to open the menu</translation>
    </message>
    <message>
        <source>   Streifenbreite    </source>
        <translation>   Flag width    </translation>
    </message>
    <message>
        <source>Streifenbreite in mm</source>
        <translation>Flag width in mm</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>   vermuteter Zusammenhang    </source>
        <translation>   Suspected relationship    </translation>
    </message>
    <message>
        <source> keiner</source>
        <translation> none</translation>
    </message>
    <message>
        <source> s  ~  t</source>
        <translation> s  ~  t</translation>
    </message>
    <message>
        <source> s  ~ t ²</source>
        <translation> s  ~ t ²</translation>
    </message>
    <message>
        <source> s ²  ~  t</source>
        <translation> s ²  ~  t</translation>
    </message>
    <message>
        <source>  vermuteter Zusammenhang   </source>
        <translation>  Suspected relationship   </translation>
    </message>
    <message>
        <source> v konstant</source>
        <translation> v constant</translation>
    </message>
    <message>
        <source> v ~ t</source>
        <translation> v ~ t</translation>
    </message>
    <message>
        <source>Auswahl Daten</source>
        <translation>Choose a run</translation>
    </message>
    <message>
        <source>Tabelle in Zwischenablage</source>
        <translation>Copy table to clipboard</translation>
    </message>
    <message>
        <source>Export als EXCEL-Datei</source>
        <translation>Export as Excel file</translation>
    </message>
    <message>
        <source>EXCEL-Daten (*.xls);;Alle Dateien (*)</source>
        <translation>Excel files (*.xls);;All files (*)</translation>
    </message>
    <message>
        <source>Daten :  %1</source>
        <translation>Data:  %1</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm7</name>
    <message>
        <source>   Die Datei besteht schon</source>
        <translation>   The file already exists</translation>
    </message>
    <message>
        <source>Frage</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Die Datei gibt es schon.</source>
        <translation>The file already exists.</translation>
    </message>
    <message>
        <source>Soll sie überschrieben werden ?</source>
        <translation>Do you want to replace it?</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm8</name>
    <message>
        <source>   Einstellungen der Soundkarte</source>
        <translation>   Sound card settings</translation>
    </message>
    <message>
        <source>   Soundkarteneinstellungen   </source>
        <translation>   Sound card settings   </translation>
    </message>
    <message>
        <source>Gerät :</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Eingabekanal</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Gewählt / Ton aus</source>
        <translation>Selected / muted</translation>
    </message>
    <message>
        <source>Empfindlichkeitsschwelle:</source>
        <translation>Detection threshold:</translation>
    </message>
    <message>
        <source>Empfindlichkeitsschwelle</source>
        <translation>Detection threshold</translation>
    </message>
    <message>
        <source>   Ausgabeformat   </source>
        <translation>   Output format   </translation>
    </message>
    <message>
        <source>Für jede Einzelmessung neu ausgeben / zeichnen</source>
        <translation>A new table and diagram for each run</translation>
    </message>
    <message>
        <source>Drei Listen / Diagramme zur Auswahl anzeigen</source>
        <translation>Keep the last three runs to compare</translation>
    </message>
    <message>
        <source>   Signal am Eingang   </source>
        <translation>   Input signal   </translation>
    </message>
    <message>
        <source>Signal der letzten zwei Sekunden</source>
        <translation>Signal of the last two seconds</translation>
    </message>
    <message>
        <source>Blau: das Signal der letzten zwei Sekunden; rot: die Schwelle</source>
        <translation>Blue: the signal of the last two seconds; red: the threshold</translation>
    </message>
    <message>
        <source>Vorschlag übernehmen</source>
        <translation>Use the suggestion</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Messung läuft</source>
        <translation>Run in progress</translation>
    </message>
    <message>
        <source>kein Signal</source>
        <translation>no signal</translation>
    </message>
    <message>
        <source>Strahl unterbrochen</source>
        <translation>Beam interrupted</translation>
    </message>
    <message>
        <source>Strahl frei</source>
        <translation>Beam clear</translation>
    </message>
    <message>
        <source>Rauschen: -</source>
        <translation>Noise: -</translation>
    </message>
    <message>
        <source>Spitze: -</source>
        <translation>Peak: -</translation>
    </message>
    <message>
        <source>Rauschen: %1</source>
        <translation>Noise: %1</translation>
    </message>
    <message>
        <source>Spitze: %1</source>
        <translation>Peak: %1</translation>
    </message>
    <message>
        <source>Vorschlag: %1</source>
        <translation>Suggestion: %1</translation>
    </message>
    <message>
        <source>Vorschlag: -</source>
        <translation>Suggestion: -</translation>
    </message>
    <message>
        <source>kein Signal: %1</source>
        <translation>no signal: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n Schnittstelle(n) im System</source>
        <translation>
            <numerusform>%n sound device found</numerusform>
            <numerusform>%n sound devices found</numerusform>
        </translation>
    </message>
    <message>
        <source>Signal der Lichtschranke:</source>
        <translation>Light barrier signal:</translation>
    </message>
    <message>
        <source>Ton</source>
        <translation>Tone</translation>
    </message>
    <message>
        <source>Gleichspannung (Flanken)</source>
        <translation>Steady voltage (edges)</translation>
    </message>
</context>
<context>
    <name>kelmot::TForm9</name>
    <message>
        <source>   Datei gespeichert</source>
        <translation>   File saved</translation>
    </message>
    <message>
        <source>Inhalt der Tabelle als EXCEL-Datei gespeichert.</source>
        <translation>The table was saved as an Excel file.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
