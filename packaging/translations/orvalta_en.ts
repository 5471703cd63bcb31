<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AmpiChart</name>
    <message>
        <source>Periodo</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Valore (rif. 100)</source>
        <translation>Value (ref. 100)</translation>
    </message>
    <message>
        <source>Riferimento (100)</source>
        <translation>Reference (100)</translation>
    </message>
</context>
<context>
    <name>Artwork</name>
    <message>
        <source>Indici sintetici, graduatorie
e confronto dei metodi</source>
        <translation>Composite indices, rankings
and comparison of methods</translation>
    </message>
</context>
<context>
    <name>Audit</name>
    <message>
        <source>Analisi annullata.</source>
        <translation>Analysis cancelled.</translation>
    </message>
</context>
<context>
    <name>AuditCharts</name>
    <message>
        <source>Distribuzione di %1</source>
        <translation>Distribution of %1</translation>
    </message>
    <message>
        <source>Unità</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Autovalori: %1</source>
        <translation>Eigenvalues: %1</translation>
    </message>
    <message>
        <source>Componente</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>Autovalore</source>
        <translation>Eigenvalue</translation>
    </message>
    <message>
        <source>Da %1 a %2: %3 unità</source>
        <translation>From %1 to %2: %3 units</translation>
    </message>
    <message>
        <source>Componente %1: autovalore %2</source>
        <translation>Component %1: eigenvalue %2</translation>
    </message>
</context>
<context>
    <name>AuditWindow</name>
    <message>
        <source>Indicatore</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>Originale</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Trattato</source>
        <translation>Treated</translation>
    </message>
    <message>
        <source>Analisi statistica</source>
        <translation>Statistical analysis</translation>
    </message>
    <message>
        <source>&amp;Indicatori</source>
        <translation>&amp;Indicators</translation>
    </message>
    <message>
        <source>&amp;Correlazioni</source>
        <translation>&amp;Correlations</translation>
    </message>
    <message>
        <source>C&amp;oerenza</source>
        <translation>C&amp;oherence</translation>
    </message>
    <message>
        <source>&amp;Valori anomali</source>
        <translation>&amp;Outliers</translation>
    </message>
    <message>
        <source>In evidenza gli indicatori anomali: asimmetria oltre 2 in valore assoluto e curtosi oltre 3,5. Selezionare un indicatore per vederne la distribuzione.</source>
        <translation>Highlighted: the flagged indicators, with absolute skewness above 2 and kurtosis above 3.5. Select an indicator to see its distribution.</translation>
    </message>
    <message>
        <source>&amp;Pearson</source>
        <translation>&amp;Pearson</translation>
    </message>
    <message>
        <source>&amp;Spearman (ranghi)</source>
        <translation>&amp;Spearman (ranks)</translation>
    </message>
    <message>
        <source>Per ogni gruppo e per l&apos;intera matrice: l&apos;alfa di Cronbach degli indicatori standardizzati e gli autovalori delle loro correlazioni. Selezionare un gruppo per il grafico degli autovalori.</source>
        <translation>For each group and for the whole matrix: Cronbach&apos;s alpha of the standardised indicators and the eigenvalues of their correlations. Select a group for its eigenvalue chart.</translation>
    </message>
    <message>
        <source>Il trattamento corregge ogni indicatore anomalo: fino a cinque valori estremi portati al valore successivo verso l&apos;interno, altrimenti una trasformazione logaritmica riportata sull&apos;intervallo originale. Da quel momento i metodi sono eseguiti sulla matrice trattata; la cartella di lavoro non cambia.</source>
        <translation>The treatment corrects every flagged indicator: up to five extreme values pulled in to the next value inward, otherwise a logarithmic transformation mapped back onto the original range. From then on the methods run on the treated matrix; the workbook does not change.</translation>
    </message>
    <message>
        <source>&amp;Applica il trattamento dei valori anomali</source>
        <translation>&amp;Apply the outlier treatment</translation>
    </message>
    <message>
        <source>l&apos;analisi statistica</source>
        <translation>the statistical analysis</translation>
    </message>
    <message>
        <source>Analisi statistica </source>
        <translation>Statistical analysis </translation>
    </message>
    <message>
        <source>Trattamento dei valori anomali</source>
        <translation>Outlier treatment</translation>
    </message>
    <message>
        <source>il trattamento dei valori anomali</source>
        <translation>the outlier treatment</translation>
    </message>
    <message>
        <source>Nessun valore cambiato: la matrice resta quella letta.</source>
        <translation>No value changed: the matrix stays as read.</translation>
    </message>
    <message>
        <source>Valori cambiati: %1. I metodi sono eseguiti sulla matrice trattata; il trattamento è registrato in %2.</source>
        <translation>Values changed: %1. The methods run on the treated matrix; the treatment is recorded in %2.</translation>
    </message>
    <message>
        <source>Correlazioni di Spearman</source>
        <translation>Spearman correlations</translation>
    </message>
    <message>
        <source>Correlazioni di Pearson</source>
        <translation>Pearson correlations</translation>
    </message>
    <message>
        <source>sì</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Tutti gli indicatori</source>
        <translation>All indicators</translation>
    </message>
    <message>
        <source>Analisi statistica: Applica</source>
        <translation>Statistical analysis: Apply</translation>
    </message>
    <message>
        <source>Indicatori orientati secondo la polarità.</source>
        <translation>Indicators oriented by their polarity.</translation>
    </message>
    <message>
        <source>Indicatori ordinati per gruppo della struttura; ogni gruppo bordato in nero.</source>
        <translation>Indicators ordered by the structure&apos;s groups; each group outlined in black.</translation>
    </message>
    <message>
        <source>Coerenza per &amp;metodo</source>
        <translation>Coherence by &amp;method</translation>
    </message>
    <message>
        <source>Per ogni elemento della struttura, sotto il metodo scelto: la correlazione con il valore del suo gruppo (di Pearson e di Spearman) e con l&apos;indice complessivo, la quota del suo peso nel gruppo e la quota effettiva (il quadrato della correlazione sulla somma di quelli del gruppo). Debole: correlazione con il gruppo sotto 0,3.</source>
        <translation>For every element of the structure, under the chosen method: its correlation with its group&apos;s value (Pearson&apos;s and Spearman&apos;s) and with the overall index, its weight&apos;s share in the group and its effective share (the squared correlation over the sum of the group&apos;s). Weak: correlation with the group below 0.3.</translation>
    </message>
    <message>
        <source>Metodo:</source>
        <translation>Method:</translation>
    </message>
    <message>
        <source>Coerenza per metodo</source>
        <translation>Coherence by method</translation>
    </message>
    <message>
        <source>la coerenza per metodo</source>
        <translation>the coherence by method</translation>
    </message>
</context>
<context>
    <name>Boundaries</name>
    <message>
        <source>formato non riconosciuto</source>
        <translation>unrecognised format</translation>
    </message>
    <message>
        <source>Il file dei confini %1 non si può usare: %2.</source>
        <translation>The boundary file %1 cannot be used: %2.</translation>
    </message>
    <message>
        <source>il sistema di riferimento non si può proiettare (%1)</source>
        <translation>its reference system cannot be projected (%1)</translation>
    </message>
    <message>
        <source>alcune coordinate non si possono proiettare</source>
        <translation>some coordinates cannot be projected</translation>
    </message>
    <message>
        <source>proiezione azimutale equivalente di Lambert centrata su %1° %2, %3° %4</source>
        <translation>Lambert azimuthal equal-area projection centred on %1° %2, %3° %4</translation>
    </message>
    <message>
        <source>non contiene poligoni</source>
        <translation>it holds no polygons</translation>
    </message>
    <message>
        <source>il file non esiste</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>non contiene livelli vettoriali</source>
        <translation>it holds no vector layers</translation>
    </message>
    <message>
        <source>non dichiara il sistema di riferimento delle coordinate (per uno Shapefile, manca il file .prj)</source>
        <translation>it declares no coordinate reference system (for a Shapefile, the .prj file is missing)</translation>
    </message>
    <message>
        <source>il sistema di riferimento delle coordinate non è né geografico né proiettato</source>
        <translation>its coordinate reference system is neither geographic nor projected</translation>
    </message>
    <message>
        <source>coordinate proiettate del file (%1)</source>
        <translation>the file&apos;s projected coordinates (%1)</translation>
    </message>
    <message>
        <source>senza nome</source>
        <translation>unnamed</translation>
    </message>
    <message>
        <source>Il file dei confini non ha l&apos;attributo %1 (ha: %2).</source>
        <translation>The boundary file has no attribute %1 (it has: %2).</translation>
    </message>
    <message>
        <source>Nessun attributo di testo del file dei confini corrisponde alle etichette delle unità: indicare l&apos;attributo con --key.</source>
        <translation>No text attribute of the boundary file matches the unit labels: name the attribute with --key.</translation>
    </message>
    <message>
        <source>L&apos;attributo %1 del file dei confini non è univoco: il valore «%2» compare in più forme.</source>
        <translation>The attribute %1 of the boundary file is not unique: the value “%2” appears in more than one shape.</translation>
    </message>
    <message>
        <source>Nessun valore dell&apos;attributo %1 del file dei confini corrisponde a un&apos;etichetta delle unità.</source>
        <translation>No value of the attribute %1 of the boundary file matches a unit label.</translation>
    </message>
    <message>
        <source>Unità senza confine: %1 (%2)</source>
        <translation>Units without a boundary: %1 (%2)</translation>
    </message>
    <message>
        <source>Confini senza unità: %1 (%2)</source>
        <translation>Boundaries without a unit: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>ChartExport</name>
    <message>
        <source>Esporta il grafico</source>
        <translation>Export the chart</translation>
    </message>
    <message>
        <source>Immagine PNG (*.png);;Grafica vettoriale SVG (*.svg);;Documento PDF (*.pdf)</source>
        <translation>PNG image (*.png);;SVG vector graphics (*.svg);;PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Il grafico non si è potuto convertire in immagine: %1 non è stato scritto.</source>
        <translation>The chart could not be turned into an image: %1 was not written.</translation>
    </message>
    <message>
        <source>Esporta grafico...</source>
        <translation>Export chart...</translation>
    </message>
    <message>
        <source>Copia</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Grafico salvato in </source>
        <translation>Chart saved in </translation>
    </message>
    <message>
        <source>Il grafico non si è potuto convertire in immagine: gli appunti restano come erano.</source>
        <translation>The chart could not be turned into an image: the clipboard is left as it was.</translation>
    </message>
    <message>
        <source>Grafico copiato negli appunti (%1 × %2 pixel)</source>
        <translation>Chart copied to the clipboard (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>%1: Esporta grafico</source>
        <translation>%1: Export chart</translation>
    </message>
</context>
<context>
    <name>ClockStatusBar</name>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Interrompe il lavoro in corso (Esc)</source>
        <translation>Stops the work in progress (Esc)</translation>
    </message>
</context>
<context>
    <name>CoefficientLegend</name>
    <message>
        <source>Colore di ogni coefficiente secondo il suo valore assoluto: ogni casella vale dal numero scritto in essa fino al successivo (l&apos;ultima fino a 1). In alto i coefficienti positivi (verde acqua), in basso i negativi (marrone).</source>
        <translation>Colour of each coefficient by its absolute value: each box runs from the number written in it up to the next one (the last one up to 1). Positive coefficients above (teal), negative ones below (brown).</translation>
    </message>
</context>
<context>
    <name>Comparison</name>
    <message>
        <source>Il file dei ranghi %1 non esiste: eseguire di nuovo il metodo.</source>
        <translation>The ranks file %1 does not exist: run the method again.</translation>
    </message>
    <message>
        <source>Il file dei valori %1 non esiste.</source>
        <translation>The values file %1 does not exist.</translation>
    </message>
    <message>
        <source>Impossibile leggere il file %1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>Il file %1 ha %2 righe, mentre %3 ne ha %4: eseguire di nuovo i metodi.</source>
        <translation>The file %1 has %2 lines, while %3 has %4: run the methods again.</translation>
    </message>
    <message>
        <source>La riga %1 del file %2 non contiene il separatore &quot;;&quot;: eseguire di nuovo i metodi.</source>
        <translation>Line %1 of the file %2 does not contain the separator &quot;;&quot;: run the methods again.</translation>
    </message>
    <message>
        <source>Il file %1 non contiene le stesse unità di %2 (riga %3): eseguire di nuovo i metodi.</source>
        <translation>The file %1 does not contain the same units as %2 (line %3): run the methods again.</translation>
    </message>
    <message>
        <source>La riga %1 del file %2 non contiene un rango intero da 1 a %3: eseguire di nuovo i metodi.</source>
        <translation>Line %1 of the file %2 does not contain a whole rank from 1 to %3: run the methods again.</translation>
    </message>
    <message>
        <source>Il rango %1 compare due volte nel file %2 (righe %3 e %4): eseguire di nuovo i metodi.</source>
        <translation>Rank %1 appears twice in the file %2 (lines %3 and %4): run the methods again.</translation>
    </message>
    <message>
        <source>I ranghi del file %1 non corrispondono ai valori del file %2 (i due file vengono da elaborazioni diverse): eseguire di nuovo il metodo %3.</source>
        <translation>The ranks in the file %1 do not match the values in the file %2 (the two files come from different runs): run the method %3 again.</translation>
    </message>
    <message>
        <source>Il file %1 deve contenere una riga di intestazione e almeno due unità.</source>
        <translation>The file %1 must contain a header line and at least two units.</translation>
    </message>
    <message>
        <source>Il file %1 non ha la stessa intestazione di %2: eseguire di nuovo i metodi.</source>
        <translation>The file %1 does not have the same header as %2: run the methods again.</translation>
    </message>
    <message>
        <source>Selezionare almeno due metodi da confrontare.</source>
        <translation>Select at least two methods to compare.</translation>
    </message>
    <message>
        <source>Il file %1 non è un file dei valori: il nome deve terminare con &quot;csv&quot;.</source>
        <translation>The file %1 is not a values file: its name must end in &quot;csv&quot;.</translation>
    </message>
    <message>
        <source>Lettura dei risultati</source>
        <translation>Reading the results</translation>
    </message>
    <message>
        <source>Calcolo della matrice di cograduazione</source>
        <translation>Computing the Spearman rank correlation matrix</translation>
    </message>
    <message>
        <source>il file occupa %1 byte, più di quanto il programma ne scriva in %2 righe (%3 byte al massimo).</source>
        <translation>the file takes %1 bytes, more than the program writes in %2 lines (%3 bytes at most).</translation>
    </message>
    <message>
        <source>non è un file regolare (è un dispositivo, una pipe o un socket).</source>
        <translation>it is not a regular file (it is a device, a pipe or a socket).</translation>
    </message>
    <message>
        <source>la riga %1 è più lunga di quanto il programma scriva (%2 byte al massimo).</source>
        <translation>line %1 is longer than the program writes (%2 bytes at most).</translation>
    </message>
    <message>
        <source>il file ha più righe di quante un foglio ne abbia (%1).</source>
        <translation>the file has more lines than a sheet has rows (%1).</translation>
    </message>
</context>
<context>
    <name>Composite</name>
    <message>
        <source>l&apos;aggregazione «%1» di %2 non è ammessa (ammesse: %3).</source>
        <translation>the aggregation “%1” of %2 is not allowed (allowed: %3).</translation>
    </message>
    <message>
        <source>la trasformazione log di %1 non si applica al valore %2 della struttura: deve essere maggiore di 0.</source>
        <translation>the log transformation of %1 does not apply to the value %2 of the structure: it must be greater than 0.</translation>
    </message>
    <message>
        <source>la normalizzazione %1 richiede per %2 un Minimo minore del Massimo nella struttura.</source>
        <translation>the normalisation %1 needs for %2 a Minimo below the Massimo in the structure.</translation>
    </message>
    <message>
        <source>la normalizzazione target richiede per %1 un Obiettivo migliore del valore peggiore (Minimo o Massimo, o quello osservato).</source>
        <translation>the normalisation target needs for %1 an Obiettivo better than the worst value (Minimo or Massimo, or the one observed).</translation>
    </message>
    <message>
        <source>la normalizzazione none non si applica a %1, di polarità negativa.</source>
        <translation>the normalisation none does not apply to %1, of negative polarity.</translation>
    </message>
    <message>
        <source>%1 ha lo stesso valore in ogni unità: la normalizzazione %2 non è definita.</source>
        <translation>%1 has the same value in every unit: the normalisation %2 is not defined.</translation>
    </message>
    <message>
        <source>la normalizzazione %1 di %2 non dà numeri finiti (una media o un valore nullo).</source>
        <translation>the normalisation %1 of %2 gives no finite numbers (a mean or a value of zero).</translation>
    </message>
    <message>
        <source>la trasformazione log non si applica al valore %1 della cella %2 (%3, %4): deve essere maggiore di 0.</source>
        <translation>the log transformation does not apply to the value %1 of the cell %2 (%3, %4): it must be greater than 0.</translation>
    </message>
    <message>
        <source>l&apos;aggregazione %1 del gruppo %2 non accetta il valore %3 di %4 per l&apos;unità %5.</source>
        <translation>the aggregation %1 of the group %2 does not take the value %3 of %4 for the unit %5.</translation>
    </message>
    <message>
        <source>l&apos;aggregazione %1 del gruppo %2 non dà un numero finito per l&apos;unità %3.</source>
        <translation>the aggregation %1 of the group %2 gives no finite number for the unit %3.</translation>
    </message>
    <message>
        <source>Metodi, riga %1: </source>
        <translation>Methods, row %1: </translation>
    </message>
    <message>
        <source>la riga ha %1 campi, ma la riga 1 ne intitola %2.</source>
        <translation>the row has %1 fields, but row 1 names %2.</translation>
    </message>
    <message>
        <source>il codice «%1» non è ammesso: da 1 a 8 lettere, cifre, +, - o _.</source>
        <translation>the code “%1” is not allowed: 1 to 8 letters, digits, +, - or _.</translation>
    </message>
    <message>
        <source>il codice %1 è quello di uno dei nove metodi.</source>
        <translation>the code %1 is that of one of the nine methods.</translation>
    </message>
    <message>
        <source>il codice %1 è già usato in una riga precedente.</source>
        <translation>the code %1 is already used in an earlier row.</translation>
    </message>
    <message>
        <source>%1 «%2» di %3 non è ammessa (ammesse: %4).</source>
        <translation>%1 “%2” of %3 is not allowed (allowed: %4).</translation>
    </message>
    <message>
        <source>la normalizzazione</source>
        <translation>the normalisation</translation>
    </message>
    <message>
        <source>l&apos;aggregazione</source>
        <translation>the aggregation</translation>
    </message>
    <message>
        <source>la costruzione</source>
        <translation>the construction</translation>
    </message>
    <message>
        <source>La definizione dei metodi %1</source>
        <translation>The definition of methods %1</translation>
    </message>
    <message>
        <source>La definizione dei metodi %1 non è un file leggibile.</source>
        <translation>The definition of methods %1 is not a readable file.</translation>
    </message>
    <message>
        <source>dal file %1</source>
        <translation>from the file %1</translation>
    </message>
    <message>
        <source>dal foglio %1</source>
        <translation>from the sheet %1</translation>
    </message>
    <message>
        <source>«%1» non è ammessa (ammesse: %2).</source>
        <translation>“%1” is not allowed (allowed: %2).</translation>
    </message>
</context>
<context>
    <name>CompositesDialog</name>
    <message>
        <source>Min-max (minmax)</source>
        <translation>Min-max (minmax)</translation>
    </message>
    <message>
        <source>(x - min)/(max - min): 0 al peggiore, 1 al migliore; con parametri a, b riportata su [a, b].</source>
        <translation>(x - min)/(max - min): 0 for the worst, 1 for the best; with parameters a, b mapped onto [a, b].</translation>
    </message>
    <message>
        <source>Punteggi z (zscore)</source>
        <translation>Z-scores (zscore)</translation>
    </message>
    <message>
        <source>(x - media)/scarto quadratico medio della popolazione; con parametri m, s: m + s z (100, 10 come l&apos;MPI).</source>
        <translation>(x - mean)/population standard deviation; with parameters m, s: m + s z (100, 10 as in the MPI).</translation>
    </message>
    <message>
        <source>Soglie (goalposts)</source>
        <translation>Goalposts (goalposts)</translation>
    </message>
    <message>
        <source>(x - Minimo)/(Massimo - Minimo) limitata a [0, 1], con Minimo e Massimo dell&apos;indicatore nella struttura; con parametri su [a, b].</source>
        <translation>(x - Minimo)/(Massimo - Minimo) clipped to [0, 1], with the indicator&apos;s Minimo and Massimo in the structure; with parameters onto [a, b].</translation>
    </message>
    <message>
        <source>Distanza dall&apos;obiettivo (target)</source>
        <translation>Distance to target (target)</translation>
    </message>
    <message>
        <source>(x - Minimo)/(Obiettivo - Minimo) limitata a [0, 1], con l&apos;Obiettivo della struttura; senza Minimo il valore osservato più basso.</source>
        <translation>(x - Minimo)/(Obiettivo - Minimo) clipped to [0, 1], with the Obiettivo of the structure; without a Minimo the lowest value observed.</translation>
    </message>
    <message>
        <source>Ranghi (rank)</source>
        <translation>Ranks (rank)</translation>
    </message>
    <message>
        <source>Il rango medio fra le unità, 1 al peggiore; i pari merito condividono il rango medio.</source>
        <translation>The average rank among the units, 1 for the worst; ties share their mean rank.</translation>
    </message>
    <message>
        <source>Percentili (percentile)</source>
        <translation>Percentiles (percentile)</translation>
    </message>
    <message>
        <source>(rango - 1)/(n - 1): 0 al peggiore, 1 al migliore.</source>
        <translation>(rank - 1)/(n - 1): 0 for the worst, 1 for the best.</translation>
    </message>
    <message>
        <source>Rapporto alla media (ratio)</source>
        <translation>Ratio to the mean (ratio)</translation>
    </message>
    <message>
        <source>x/media (media/x per la polarità negativa): i numeri indice dei nove metodi.</source>
        <translation>x/mean (mean/x for negative polarity): the index numbers of the nine methods.</translation>
    </message>
    <message>
        <source>Nessuna (none)</source>
        <translation>None (none)</translation>
    </message>
    <message>
        <source>I valori così come sono; non ammessa per un indicatore di polarità negativa.</source>
        <translation>The values as they are; not allowed for an indicator of negative polarity.</translation>
    </message>
    <message>
        <source>Media aritmetica (mean)</source>
        <translation>Arithmetic mean (mean)</translation>
    </message>
    <message>
        <source>Somma dei valori per i pesi divisa per il numero m degli elementi.</source>
        <translation>The sum of the values times their weights, divided by the number m of elements.</translation>
    </message>
    <message>
        <source>Media geometrica (geometric)</source>
        <translation>Geometric mean (geometric)</translation>
    </message>
    <message>
        <source>Prodotto dei valori elevati al peso su m; uno zero dà zero, un valore negativo è rifiutato.</source>
        <translation>The product of the values raised to their weight over m; a zero gives zero, a negative value is refused.</translation>
    </message>
    <message>
        <source>Media armonica (harmonic)</source>
        <translation>Harmonic mean (harmonic)</translation>
    </message>
    <message>
        <source>m diviso la somma dei pesi sui valori; rifiuta i valori minori o uguali a 0.</source>
        <translation>m divided by the sum of the weights over the values; refuses values of 0 or less.</translation>
    </message>
    <message>
        <source>Media di potenza (power)</source>
        <translation>Power mean (power)</translation>
    </message>
    <message>
        <source>(somma dei pesi per v elevato a p, divisa per m) elevata a 1/p; p diverso da 0.</source>
        <translation>(the sum of the weights times v to the power p, divided by m) to the power 1/p; p other than 0.</translation>
    </message>
    <message>
        <source>MPI+ (mpi+)</source>
        <translation>MPI+ (mpi+)</translation>
    </message>
    <message>
        <source>Media M più S per il coefficiente di variazione cv, pesati come nell&apos;MPI+.</source>
        <translation>The mean M plus S times the coefficient of variation cv, weighted as in the MPI+.</translation>
    </message>
    <message>
        <source>MPI- (mpi-)</source>
        <translation>MPI- (mpi-)</translation>
    </message>
    <message>
        <source>Media M meno S per cv, pesati come nell&apos;MPI-: penalizza lo squilibrio fra gli elementi.</source>
        <translation>The mean M minus S times cv, weighted as in the MPI-: penalises imbalance among the elements.</translation>
    </message>
    <message>
        <source>Verso l&apos;alto (upward)</source>
        <translation>Upward (upward)</translation>
    </message>
    <message>
        <source>Indicatori normalizzati una volta; ogni gruppo aggrega i valori dei suoi elementi così come sono.</source>
        <translation>Indicators normalised once; every group aggregates its elements&apos; values as they are.</translation>
    </message>
    <message>
        <source>Per livello (per-level)</source>
        <translation>Per level (per-level)</translation>
    </message>
    <message>
        <source>Come i nove metodi: l&apos;indice di ogni gruppo è normalizzato di nuovo prima che il padre lo aggreghi.</source>
        <translation>As the nine methods: every group&apos;s index is normalised again before its parent aggregates it.</translation>
    </message>
    <message>
        <source>Metodi personalizzati</source>
        <translation>Custom methods</translation>
    </message>
    <message>
        <source>Questi metodi sono definiti nel foglio %1 della cartella di lavoro, che prevale sul file %2: si modificano nella cartella, non qui.</source>
        <translation>These methods are defined in the workbook&apos;s %1 sheet, which takes precedence over the file %2: they are edited in the workbook, not here.</translation>
    </message>
    <message>
        <source>I metodi sono salvati nel file %1 accanto alla cartella di lavoro, mai nella cartella stessa; si elencano dopo i nove metodi.</source>
        <translation>The methods are saved in the file %1 beside the workbook, never in the workbook itself; they are listed after the nine methods.</translation>
    </message>
    <message>
        <source>Il file non è stato accettato (%1): salvando lo si sostituisce.</source>
        <translation>The file was not accepted (%1): saving replaces it.</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nuovo</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Elimina</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Da 1 a 8 lettere, cifre, +, - o _; dà il nome ai file dei risultati</source>
        <translation>1 to 8 letters, digits, +, - or _; it names the result files</translation>
    </message>
    <message>
        <source>L&apos;intestazione dei risultati; il codice quando manca</source>
        <translation>The header of the results; the code when empty</translation>
    </message>
    <message>
        <source>Con parametri</source>
        <translation>With parameters</translation>
    </message>
    <message>
        <source>Per indicatore, nella colonna Trasformazione della struttura: vuota, o log per il logaritmo naturale prima della normalizzazione.</source>
        <translation>Per indicator, in the Trasformazione column of the structure: empty, or log for the natural logarithm before the normalisation.</translation>
    </message>
    <message>
        <source>Un gruppo della struttura può indicare nella colonna Aggregazione la sua, che per quel gruppo sostituisce questa.</source>
        <translation>A group of the structure may give its own in the Aggregazione column, which replaces this one for that group.</translation>
    </message>
    <message>
        <source>&amp;Codice</source>
        <translation>&amp;Code</translation>
    </message>
    <message>
        <source>&amp;Nome</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>N&amp;ormalizzazione</source>
        <translation>N&amp;ormalisation</translation>
    </message>
    <message>
        <source>Trasformazione</source>
        <translation>Transformation</translation>
    </message>
    <message>
        <source>&amp;Aggregazione</source>
        <translation>&amp;Aggregation</translation>
    </message>
    <message>
        <source>Co&amp;struzione</source>
        <translation>Con&amp;struction</translation>
    </message>
    <message>
        <source>Metodi personalizzati: Salva</source>
        <translation>Custom methods: Save</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>%1 e %2 tralasciati: non corrispondono alla matrice. Eseguire di nuovo il confronto.</source>
        <translation>%1 and %2 left out: they do not match the matrix. Run the comparison again.</translation>
    </message>
    <message>
        <source>%1 tralasciato: non corrisponde alla matrice.</source>
        <translation>%1 left out: it does not match the matrix.</translation>
    </message>
    <message>
        <source>%1 tralasciato: non corrisponde alla struttura.</source>
        <translation>%1 left out: it does not match the structure.</translation>
    </message>
    <message>
        <source>Lettura dei risultati</source>
        <translation>Reading the results</translation>
    </message>
    <message>
        <source>Scrittura della cartella dei risultati</source>
        <translation>Writing the results workbook</translation>
    </message>
    <message>
        <source>Impossibile scrivere %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>Esportazione annullata.</source>
        <translation>Export cancelled.</translation>
    </message>
    <message>
        <source>errore di scrittura dell&apos;archivio (codice %1)</source>
        <translation>archive write error (code %1)</translation>
    </message>
    <message>
        <source>%1 tralasciato. %2</source>
        <translation>%1 left out. %2</translation>
    </message>
    <message>
        <source>La riga %1 del file %2 non ha un valore numerico: eseguire di nuovo il metodo.</source>
        <translation>Line %1 of the file %2 has no numeric value: run the method again.</translation>
    </message>
    <message>
        <source>%1 e %2 tralasciati. %3</source>
        <translation>%1 and %2 left out. %3</translation>
    </message>
    <message>
        <source>%1 tralasciato: %2.</source>
        <translation>%1 left out: %2.</translation>
    </message>
    <message>
        <source>%1 tralasciato: non si può dire da cosa è stato calcolato.</source>
        <translation>%1 left out: what it was computed from cannot be told.</translation>
    </message>
</context>
<context>
    <name>Framework</name>
    <message>
        <source>dimensione %1: %2</source>
        <translation>dimension %1: %2</translation>
    </message>
    <message>
        <source> (escluso: peso 0)</source>
        <translation> (left out: weight 0)</translation>
    </message>
    <message>
        <source> - quota %1, peso effettivo %2</source>
        <translation> - share %1, effective weight %2</translation>
    </message>
    <message>
        <source>Struttura, riga %1: </source>
        <translation>Structure, row %1: </translation>
    </message>
    <message>
        <source>Indice complessivo</source>
        <translation>Overall index</translation>
    </message>
    <message>
        <source>Struttura: %1, %2, %3</source>
        <translation>Structure: %1, %2, %3</translation>
    </message>
    <message>
        <source>1 dimensione</source>
        <translation>1 dimension</translation>
    </message>
    <message>
        <source>%1 dimensioni</source>
        <translation>%1 dimensions</translation>
    </message>
    <message>
        <source>1 indicatore</source>
        <translation>1 indicator</translation>
    </message>
    <message>
        <source>%1 indicatori</source>
        <translation>%1 indicators</translation>
    </message>
    <message>
        <source>l&apos;elemento %1 è elencato due volte.</source>
        <translation>the element %1 is listed twice.</translation>
    </message>
    <message>
        <source>il peso di %1 (%2) non è un numero maggiore o uguale a 0.</source>
        <translation>the weight of %1 (%2) is not a number greater than or equal to 0.</translation>
    </message>
    <message>
        <source>il padre di %1 è l&apos;indicatore %2: un indicatore non può contenere elementi.</source>
        <translation>the parent of %1 is the indicator %2: an indicator cannot contain elements.</translation>
    </message>
    <message>
        <source>Struttura: l&apos;indicatore %1 della matrice non è nella struttura.</source>
        <translation>Structure: the indicator %1 of the matrix is not in the structure.</translation>
    </message>
    <message>
        <source>%1 è contenuto in se stesso, attraverso i suoi gruppi.</source>
        <translation>%1 contains itself, through its groups.</translation>
    </message>
    <message>
        <source>Struttura: </source>
        <translation>Structure: </translation>
    </message>
    <message>
        <source>gli elementi del gruppo %1 hanno tutti peso 0.</source>
        <translation>the elements of the group %1 all have weight 0.</translation>
    </message>
    <message>
        <source>dal file %1</source>
        <translation>from the file %1</translation>
    </message>
    <message>
        <source>dal foglio %1</source>
        <translation>from the sheet %1</translation>
    </message>
    <message>
        <source>l&apos;indice del gruppo %1 risulta uguale per tutte le unità e il metodo non può usarlo. Verificare i valori dei suoi indicatori.</source>
        <translation>the index of the group %1 is the same for every unit and the method cannot use it. Check the values of its indicators.</translation>
    </message>
    <message>
        <source>Struttura: senza gli indicatori esclusi per copertura non resta alcun elemento di peso maggiore di 0.</source>
        <translation>Structure: without the indicators left out for coverage no element of weight above 0 is left.</translation>
    </message>
    <message>
        <source>il peso di %1 è una formula senza un risultato salvato: ricalcolare e salvare il file nel foglio di calcolo.</source>
        <translation>the weight of %1 is a formula without a saved result: recalculate and save the file in the spreadsheet.</translation>
    </message>
    <message>
        <source>Struttura: le colonne %1 e %2 della matrice hanno lo stesso nome (%3): con una struttura ogni indicatore deve avere un nome suo.</source>
        <translation>Structure: the columns %1 and %2 of the matrix have the same name (%3): with a structure every indicator must have a name of its own.</translation>
    </message>
    <message>
        <source>%1 è al livello %2 della struttura, che ne può avere al massimo %3.</source>
        <translation>%1 is at level %2 of the structure, which can have at most %3.</translation>
    </message>
    <message>
        <source>%1 non è una colonna della matrice né un gruppo con elementi.</source>
        <translation>%1 is neither a column of the matrix nor a group with elements.</translation>
    </message>
    <message>
        <source>: le colonne ammesse sono %1.</source>
        <translation>: the columns allowed are %1.</translation>
    </message>
    <message>
        <source>la riga ha %1 campi, ma la riga 1 ne intitola %2.</source>
        <translation>the row has %1 fields, but row 1 names %2.</translation>
    </message>
    <message>
        <source>la colonna Elemento è vuota.</source>
        <translation>the Elemento column is empty.</translation>
    </message>
    <message>
        <source>La struttura %1 è una cartella: indicare un file .csv o una cartella di lavoro.</source>
        <translation>The structure %1 is a folder: give a .csv file or a workbook.</translation>
    </message>
    <message>
        <source>La struttura %1 non è un file regolare (è un dispositivo, una pipe o un socket): non viene letta.</source>
        <translation>The structure %1 is not a regular file (it is a device, a pipe or a socket): it is not read.</translation>
    </message>
    <message>
        <source>%1 di %2 (%3) non è un numero.</source>
        <translation>%1 of %2 (%3) is not a number.</translation>
    </message>
    <message>
        <source>%1 è un indicatore: la colonna %2 vale solo per i gruppi.</source>
        <translation>%1 is an indicator: the column %2 applies to groups only.</translation>
    </message>
    <message>
        <source>%1 è un gruppo: la colonna %2 vale solo per gli indicatori.</source>
        <translation>%1 is a group: the column %2 applies to indicators only.</translation>
    </message>
    <message>
        <source>la trasformazione di %1 (%2) non è ammessa: la colonna Trasformazione è vuota o log.</source>
        <translation>the transformation of %1 (%2) is not allowed: the Trasformazione column is empty or log.</translation>
    </message>
    <message>
        <source>%1 ha la colonna %2 senza nome nella riga 1</source>
        <translation>%1 has column %2 without a name in row 1</translation>
    </message>
    <message>
        <source>%1 ha la colonna «%2» (colonna %3) nella riga 1</source>
        <translation>%1 has the column “%2” (column %3) in row 1</translation>
    </message>
    <message>
        <source>%1 ha due volte la colonna %2 nella riga 1 (colonne %3 e %4).</source>
        <translation>%1 has the column %2 twice in row 1 (columns %3 and %4).</translation>
    </message>
    <message>
        <source>%1 non ha la colonna %2 nella riga 1.</source>
        <translation>%1 has no column %2 in row 1.</translation>
    </message>
    <message>
        <source>La struttura %1</source>
        <translation>The structure %1</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Orvalta - Guida</source>
        <translation>Orvalta - Guide</translation>
    </message>
    <message>
        <source>guida.md</source>
        <comment>the file of the user guide in the interface language</comment>
        <translation>guide.md</translation>
    </message>
</context>
<context>
    <name>ImageSizeDialog</name>
    <message>
        <source>Dimensioni dell&apos;immagine</source>
        <translation>Image size</translation>
    </message>
    <message>
        <source> pixel</source>
        <translation> pixels</translation>
    </message>
    <message>
        <source> dpi</source>
        <translation> dpi</translation>
    </message>
    <message>
        <source>&amp;Larghezza:</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>&amp;Risoluzione:</source>
        <translation>&amp;Resolution:</translation>
    </message>
    <message>
        <source>Immagine di %1 × %2 pixel; in stampa %3 × %4 cm.</source>
        <translation>Image of %1 × %2 pixels; printed %3 × %4 cm.</translation>
    </message>
</context>
<context>
    <name>IndiceMP</name>
    <message>
        <source>Matrice dei risultati</source>
        <translation>Results matrix</translation>
    </message>
    <message>
        <source>Elaborazione automatica</source>
        <translation>Automatic processing</translation>
    </message>
    <message>
        <source>Metodo</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>Scegliere un metodo</source>
        <translation>Choose a method</translation>
    </message>
    <message>
        <source>Visualizzazione matrice dei dati</source>
        <translation>Data matrix view</translation>
    </message>
    <message>
        <source>Sorgente</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Trasformata</source>
        <translation>Transformed</translation>
    </message>
    <message>
        <source>Visualizzazione matrice dei risultati</source>
        <translation>Results matrix view</translation>
    </message>
    <message>
        <source>Valori</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Graduatoria</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Ranghi</source>
        <translation>Ranks</translation>
    </message>
    <message>
        <source>Esporta risultati...</source>
        <translation>Export results...</translation>
    </message>
    <message>
        <source>Scrive la matrice e i risultati dei metodi in una cartella di Excel</source>
        <translation>Writes the matrix and the results of the methods to an Excel workbook</translation>
    </message>
    <message>
        <source>Matrice dei dati</source>
        <translation>Data matrix</translation>
    </message>
    <message>
        <source>Lettura della matrice in corso...</source>
        <translation>Reading the matrix...</translation>
    </message>
    <message>
        <source>Scegliere un metodo nell&apos;elenco «Metodo» oppure avviare l&apos;«Elaborazione automatica».</source>
        <translation>Choose a method from the “Method” list or start the “Automatic processing”.</translation>
    </message>
    <message>
        <source>Lettura della matrice</source>
        <translation>Reading the matrix</translation>
    </message>
    <message>
        <source>leggere la matrice %1</source>
        <translation>read the matrix %1</translation>
    </message>
    <message>
        <source>Indice Sintetico </source>
        <translation>Composite Index </translation>
    </message>
    <message>
        <source>Esecuzione del metodo %1</source>
        <translation>Running the method %1</translation>
    </message>
    <message>
        <source>eseguire il metodo %1</source>
        <translation>run the method %1</translation>
    </message>
    <message>
        <source>Il metodo %1 non è stato eseguito: i file dei risultati non sono stati scritti.

%2</source>
        <translation>The method %1 was not run: the result files were not written.

%2</translation>
    </message>
    <message>
        <source>Struttura non accettata: spuntare «%1» per elaborare la matrice senza dimensioni né pesi.</source>
        <translation>Structure not accepted: tick “%1” to process the matrix without dimensions or weights.</translation>
    </message>
    <message>
        <source>Dimensione</source>
        <translation>Dimension</translation>
    </message>
    <message>
        <source>Il gruppo della struttura di cui la matrice dei risultati mostra gli indici</source>
        <translation>The group of the structure whose indices the results matrix shows</translation>
    </message>
    <message>
        <source>Ignora il foglio Struttura</source>
        <translation>Ignore the Struttura sheet</translation>
    </message>
    <message>
        <source>Legge la matrice senza dimensioni né pesi, per le cartelle il cui foglio Struttura è altro</source>
        <translation>Reads the matrix without dimensions or weights, for workbooks whose Struttura sheet is something else</translation>
    </message>
    <message>
        <source>Elemento</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Peso</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Peso effettivo</source>
        <translation>Effective weight</translation>
    </message>
    <message>
        <source>Struttura</source>
        <translation>Structure</translation>
    </message>
    <message>
        <source>escluso</source>
        <translation>left out</translation>
    </message>
    <message>
        <source>Peso 0: escluso dal calcolo degli indici</source>
        <translation>Weight 0: left out of the computation of the indices</translation>
    </message>
    <message>
        <source>Analisi statistica...</source>
        <translation>Statistical analysis...</translation>
    </message>
    <message>
        <source>Distribuzioni, correlazioni e coerenza degli indicatori; trattamento dei valori anomali</source>
        <translation>Distributions, correlations and coherence of the indicators; outlier treatment</translation>
    </message>
    <message>
        <source>%1; trattamento: %2</source>
        <translation>%1; treatment: %2</translation>
    </message>
    <message>
        <source>Elaborazione automatica annullata: eseguiti %1 metodi su %2 (%3).</source>
        <translation>Automatic processing cancelled: %1 of %2 methods ran (%3).</translation>
    </message>
    <message>
        <source>Elaborazione automatica: eseguiti %1 metodi su %2 (%3).</source>
        <translation>Automatic processing: %1 of %2 methods ran (%3).</translation>
    </message>
    <message>
        <source>nessuno</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Non hanno accettato la matrice:</source>
        <translation>These did not accept the matrix:</translation>
    </message>
    <message>
        <source>Metodo %1 elaborato, file scritti in </source>
        <translation>Method %1 run, files written in </translation>
    </message>
    <message>
        <source>1 metodo elaborato, file scritti in </source>
        <translation>1 method run, files written in </translation>
    </message>
    <message>
        <source>%1 metodi elaborati, file scritti in </source>
        <translation>%1 methods run, files written in </translation>
    </message>
    <message>
        <source>Elaborazione automatica annullata: %1</source>
        <translation>Automatic processing cancelled: %1</translation>
    </message>
    <message>
        <source>Valori mancanti...</source>
        <translation>Missing values...</translation>
    </message>
    <message>
        <source>Sceglie il trattamento dei valori mancanti e rilegge la matrice</source>
        <translation>Chooses the treatment of missing values and reads the matrix again</translation>
    </message>
    <message>
        <source>Elaborazione: Esegui %1</source>
        <translation>Processing: Run %1</translation>
    </message>
    <message>
        <source>Elaborazione: Elaborazione automatica</source>
        <translation>Processing: Automatic processing</translation>
    </message>
    <message>
        <source> - dimensione %1</source>
        <translation> - dimension %1</translation>
    </message>
    <message>
        <source> (da ricalcolare: %1)</source>
        <translation> (to be computed again: %1)</translation>
    </message>
    <message>
        <source>; in vista: %1</source>
        <translation>; on view: %1</translation>
    </message>
    <message>
        <source>indice complessivo</source>
        <translation>overall index</translation>
    </message>
    <message>
        <source>dimensione %1</source>
        <translation>dimension %1</translation>
    </message>
    <message>
        <source>Nessun trattamento</source>
        <translation>No treatment</translation>
    </message>
    <message>
        <source>calcolato sulla matrice prima del trattamento degli anomali</source>
        <translation>computed on the matrix before the outlier treatment</translation>
    </message>
    <message>
        <source>&amp;Copertura minima:</source>
        <translation>Minimum &amp;coverage:</translation>
    </message>
    <message>
        <source>Gli indicatori e le unità con una quota di valori disponibili inferiore alla copertura minima sono esclusi; i valori riempiti non cambiano la cartella di lavoro.</source>
        <translation>Indicators and units with a share of available values below the minimum coverage are left out; the filled values do not change the workbook.</translation>
    </message>
    <message>
        <source>Trattamento dei valori mancanti: la matrice sarà riletta e i risultati andranno ricalcolati. Con un trattamento, gli indicatori e le unità con una quota di valori disponibili inferiore alla copertura minima sono esclusi.</source>
        <translation>Treatment of missing values: the matrix will be read again and the results will have to be computed again. With a treatment, indicators and units with a share of available values below the minimum coverage are left out.</translation>
    </message>
    <message>
        <source>I metodi personalizzati non sono stati letti: l&apos;elenco comprende solo i nove metodi.

%1</source>
        <translation>The custom methods were not read: the list holds the nine methods only.

%1</translation>
    </message>
    <message>
        <source>la definizione del metodo è cambiata</source>
        <translation>the method&apos;s definition has changed</translation>
    </message>
    <message>
        <source>Metodo %1 di %2: %3</source>
        <translation>Method %1 of %2: %3</translation>
    </message>
    <message>
        <source>Esegue i nove metodi, poi i metodi personalizzati, uno dopo l&apos;altro nell&apos;ordine dell&apos;elenco</source>
        <translation>Runs the nine methods, then the custom methods, one after the other in the order of the list</translation>
    </message>
    <message>
        <source>Metodi personalizzati...</source>
        <translation>Custom methods...</translation>
    </message>
    <message>
        <source>Definisce, modifica ed elimina gli indici composti scelti per normalizzazione, aggregazione e costruzione</source>
        <translation>Defines, edits and removes the composite indices chosen by normalisation, aggregation and construction</translation>
    </message>
    <message>
        <source>Minimo</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Massimo</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Obiettivo</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Trasformazione</source>
        <translation>Transformation</translation>
    </message>
    <message>
        <source>Aggregazione</source>
        <translation>Aggregation</translation>
    </message>
    <message>
        <source>Matrici</source>
        <translation>Matrices</translation>
    </message>
    <message>
        <source>Mappa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Unità trovate per «%1»: %2</source>
        <translation>Units found for “%1”: %2</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Analisi</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>A&amp;iuto</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Apri matrice...</source>
        <translation>&amp;Open matrix...</translation>
    </message>
    <message>
        <source>Matrici &amp;recenti</source>
        <translation>&amp;Recent matrices</translation>
    </message>
    <message>
        <source>&amp;Esci</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Guida di Orvalta</source>
        <translation>Orvalta &amp;guide</translation>
    </message>
    <message>
        <source>&amp;Informazioni su Orvalta</source>
        <translation>&amp;About Orvalta</translation>
    </message>
</context>
<context>
    <name>MapExport</name>
    <message>
        <source>La mappa non si è potuta disegnare: %1 non è stato scritto.</source>
        <translation>The map could not be drawn: %1 was not written.</translation>
    </message>
</context>
<context>
    <name>MapPage</name>
    <message>
        <source>Mostra:</source>
        <translation>Show:</translation>
    </message>
    <message>
        <source>Quantili</source>
        <translation>Quantiles</translation>
    </message>
    <message>
        <source>Intervalli uguali</source>
        <translation>Equal intervals</translation>
    </message>
    <message>
        <source>Interruzioni naturali (Jenks)</source>
        <translation>Natural breaks (Jenks)</translation>
    </message>
    <message>
        <source>Classi:</source>
        <translation>Classes:</translation>
    </message>
    <message>
        <source>Il numero delle classi della legenda</source>
        <translation>The number of classes in the legend</translation>
    </message>
    <message>
        <source>L&apos;attributo dei confini che porta le etichette delle unità</source>
        <translation>The boundary attribute that holds the unit labels</translation>
    </message>
    <message>
        <source>Chiave:</source>
        <translation>Key:</translation>
    </message>
    <message>
        <source>Confini...</source>
        <translation>Boundaries...</translation>
    </message>
    <message>
        <source>Sceglie il file dei confini delle unità: GeoJSON, Shapefile (anche compresso) o GeoPackage</source>
        <translation>Chooses the file of the units&apos; boundaries: GeoJSON, Shapefile (also zipped) or GeoPackage</translation>
    </message>
    <message>
        <source>Tutta la mappa</source>
        <translation>Whole map</translation>
    </message>
    <message>
        <source>Mostra di nuovo tutta la mappa (anche con un doppio clic); la rotella ingrandisce, il trascinamento sposta</source>
        <translation>Shows the whole map again (also with a double click); the wheel zooms, dragging pans</translation>
    </message>
    <message>
        <source>File dei confini</source>
        <translation>Boundary file</translation>
    </message>
    <message>
        <source>Confini (*.geojson *.json *.shp *.zip *.gpkg);;Tutti i file (*)</source>
        <translation>Boundaries (*.geojson *.json *.shp *.zip *.gpkg);;All files (*)</translation>
    </message>
    <message>
        <source>automatica</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>automatica (%1)</source>
        <translation>automatic (%1)</translation>
    </message>
    <message>
        <source>Nessun file dei confini</source>
        <translation>No boundary file</translation>
    </message>
    <message>
        <source>Scegliere il file dei confini delle unità con «%1», oppure porlo accanto alla cartella come %2.</source>
        <translation>Choose the file of the units&apos; boundaries with “%1”, or put it beside the workbook as %2.</translation>
    </message>
    <message>
        <source>Nessun risultato da mostrare sulla mappa.</source>
        <translation>No results to show on the map.</translation>
    </message>
    <message>
        <source>Lettura dei confini</source>
        <translation>Reading the boundaries</translation>
    </message>
    <message>
        <source>la lettura dei confini</source>
        <translation>reading the boundaries</translation>
    </message>
    <message>
        <source>Disegno della mappa</source>
        <translation>Drawing the map</translation>
    </message>
    <message>
        <source>il disegno della mappa</source>
        <translation>drawing the map</translation>
    </message>
</context>
<context>
    <name>MapPicture</name>
    <message>
        <source>%1: nessun valore</source>
        <translation>%1: no value</translation>
    </message>
    <message>
        <source>senza valore</source>
        <translation>no value</translation>
    </message>
    <message>
        <source> e altre %1</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>Fonte: %1, %2, %3</source>
        <translation>Source: %1, %2, %3</translation>
    </message>
</context>
<context>
    <name>MapSeries</name>
    <message>
        <source>Il metodo %1 non è stato elaborato per questa cartella di lavoro.</source>
        <translation>The method %1 has not been run for this workbook.</translation>
    </message>
    <message>
        <source>Indice %1</source>
        <translation>Index %1</translation>
    </message>
    <message>
        <source>Il metodo %1 non ha gli indici dei gruppi della struttura.</source>
        <translation>The method %1 has no indices of the structure&apos;s groups.</translation>
    </message>
    <message>
        <source>La struttura non ha il gruppo %1.</source>
        <translation>The structure has no group %1.</translation>
    </message>
    <message>
        <source>Né l&apos;analisi Monte Carlo né l&apos;analisi d&apos;incertezza sono state eseguite per questa cartella di lavoro.</source>
        <translation>Neither the Monte Carlo analysis nor the uncertainty analysis has been run for this workbook.</translation>
    </message>
    <message>
        <source>Il file dell&apos;analisi non ha i percentili 5 e 95 dei ranghi.</source>
        <translation>The analysis file has no 5th and 95th rank percentiles.</translation>
    </message>
    <message>
        <source>Monte Carlo</source>
        <translation>Monte Carlo</translation>
    </message>
    <message>
        <source>analisi d&apos;incertezza</source>
        <translation>uncertainty analysis</translation>
    </message>
    <message>
        <source>Gli indici di Sobol per unità non sono stati calcolati (analisi Monte Carlo con gli indici di Sobol).</source>
        <translation>The Sobol indices per unit have not been computed (Monte Carlo analysis with Sobol indices).</translation>
    </message>
    <message>
        <source>Gli indici di Sobol non hanno il fattore %1 (hanno: %2).</source>
        <translation>The Sobol indices have no factor %1 (they have: %2).</translation>
    </message>
    <message>
        <source>La sensibilità di %1 non ha l&apos;indicatore %2.</source>
        <translation>The sensitivity of %1 has no indicator %2.</translation>
    </message>
    <message>
        <source>La sensibilità del metodo %1 non è stata calcolata.</source>
        <translation>The sensitivity of the method %1 has not been computed.</translation>
    </message>
    <message>
        <source>L&apos;AMPI%1 non ha il periodo %2.</source>
        <translation>The AMPI%1 has no period %2.</translation>
    </message>
    <message>
        <source>L&apos;AMPI%1 non è stato calcolato per questa cartella di lavoro.</source>
        <translation>The AMPI%1 has not been computed for this workbook.</translation>
    </message>
    <message>
        <source>«%1» non è una mappa possibile: si indichi CODICE, CODICE/GRUPPO, rank:CODICE, width, sti:FATTORE, sens:CODICE:INDICATORE o ampi+:PERIODO.</source>
        <translation>“%1” is not a possible map: give CODE, CODE/GROUP, rank:CODE, width, sti:FACTOR, sens:CODE:INDICATOR or ampi+:PERIOD.</translation>
    </message>
    <message>
        <source>Ranghi %1</source>
        <translation>Ranks %1</translation>
    </message>
    <message>
        <source> - dimensione %1</source>
        <translation> - dimension %1</translation>
    </message>
    <message>
        <source>Ampiezza dell&apos;intervallo 5-95% del rango (Monte Carlo)</source>
        <translation>Width of the 5-95% rank interval (Monte Carlo)</translation>
    </message>
    <message>
        <source>Ampiezza dell&apos;intervallo 5-95% del rango (incertezza)</source>
        <translation>Width of the 5-95% rank interval (uncertainty)</translation>
    </message>
    <message>
        <source>Indice totale di Sobol sul rango: %1</source>
        <translation>Total Sobol index on the rank: %1</translation>
    </message>
    <message>
        <source>Spostamento del rango senza %1 (%2)</source>
        <translation>Rank shift without %1 (%2)</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: variazione da %2 a %3</source>
        <translation>%1: change from %2 to %3</translation>
    </message>
</context>
<context>
    <name>Memoria</name>
    <message>
        <source>Memoria insufficiente per %1. Chiudere altri programmi e riprovare, oppure usare una matrice più piccola.</source>
        <translation>Not enough memory to %1. Close other programs and try again, or use a smaller matrix.</translation>
    </message>
</context>
<context>
    <name>MenuORV</name>
    <message>
        <source>Selezione annullata dall&apos;utente</source>
        <translation>Selection cancelled by the user</translation>
    </message>
    <message>
        <source>Selezionare la matrice sorgente</source>
        <translation>Select the source matrix</translation>
    </message>
    <message>
        <source>Selezione Matrice</source>
        <translation>Select Matrix</translation>
    </message>
    <message>
        <source>Elaborazione metodi</source>
        <translation>Run methods</translation>
    </message>
    <message>
        <source>Salvataggio Risultati</source>
        <translation>Save Results</translation>
    </message>
    <message>
        <source>Comparazione metodi</source>
        <translation>Compare methods</translation>
    </message>
    <message>
        <source>Analisi temporale (AMPI)</source>
        <translation>Time analysis (AMPI)</translation>
    </message>
    <message>
        <source>Matrici (*.xls *.xlsx *.ods *.csv *.txt *.tsv);;Cartelle di lavoro Excel 97-2003 (*.xls);;Cartelle di lavoro Excel (*.xlsx);;Fogli di calcolo OpenDocument (*.ods);;Testo delimitato (*.csv *.txt *.tsv)</source>
        <translation>Matrices (*.xls *.xlsx *.ods *.csv *.txt *.tsv);;Excel 97-2003 workbooks (*.xls);;Excel workbooks (*.xlsx);;OpenDocument spreadsheets (*.ods);;Delimited text (*.csv *.txt *.tsv)</translation>
    </message>
    <message>
        <source>Seleziona la matrice sorgente</source>
        <translation>Select the source matrix</translation>
    </message>
    <message>
        <source>Selezione della matrice sorgente</source>
        <translation>Source matrix selection</translation>
    </message>
    <message>
        <source>Nessuna matrice sorgente selezionata</source>
        <translation>No source matrix selected</translation>
    </message>
    <message>
        <source>Matrice sorgente: </source>
        <translation>Source matrix: </translation>
    </message>
    <message>
        <source>Selezionare la cartella di destinazione</source>
        <translation>Select the destination folder</translation>
    </message>
    <message>
        <source>Selezione annullata</source>
        <translation>Selection cancelled</translation>
    </message>
    <message>
        <source>Copia dei file</source>
        <translation>Copying the files</translation>
    </message>
    <message>
        <source>salvare i risultati</source>
        <translation>save the results</translation>
    </message>
    <message>
        <source>Salvataggio non riuscito</source>
        <translation>Saving failed</translation>
    </message>
    <message>
        <source>Salvataggio dei risultati</source>
        <translation>Saving the results</translation>
    </message>
    <message>
        <source>Selezione Eseguito Correttamente</source>
        <translation>Completed Successfully</translation>
    </message>
    <message>
        <source>La cartella di destinazione è la cartella della matrice sorgente: i file si trovano già lì e non è stato copiato nulla.

Scegliere un&apos;altra cartella per salvarne una copia.</source>
        <translation>The destination folder is the folder of the source matrix: the files are already there and nothing was copied.

Choose another folder to save a copy of them.</translation>
    </message>
    <message>
        <source>Nessuna matrice sorgente selezionata: non c&apos;è nulla da salvare.</source>
        <translation>No source matrix selected: there is nothing to save.</translation>
    </message>
    <message>
        <source>Il salvataggio in %1 non è riuscito: %2.
File non copiati: %3.</source>
        <translation>Saving to %1 failed: %2.
Files not copied: %3.</translation>
    </message>
    <message>
        <source>Gli altri file sono stati copiati.</source>
        <translation>The other files were copied.</translation>
    </message>
    <message>
        <source>Orvalta, versione %1

Indici sintetici delle unità statistiche con nove metodi, graduatorie e confronto dei metodi.

Software libero: si può ridistribuire e modificare secondo i termini della GNU General Public License, versione 3 o (a scelta) successiva. Nessuna garanzia.</source>
        <translation>Orvalta, version %1

Composite indices of statistical units with nine methods, rankings and comparison of the methods.

Free software: you can redistribute it and modify it under the terms of the GNU General Public License, version 3 or (at your option) any later version. No warranty.</translation>
    </message>
    <message>
        <source>Informazioni su Orvalta</source>
        <translation>About Orvalta</translation>
    </message>
    <message>
        <source>Orvalta - Vers.%1</source>
        <translation>Orvalta - Version %1</translation>
    </message>
    <message>
        <source>Nessun metodo è ancora stato elaborato per questa matrice: eseguire prima «Elaborazione metodi».</source>
        <translation>No method has been run on this matrix yet: use “Run methods” first.</translation>
    </message>
    <message>
        <source>Un file di testo delimitato ha un solo foglio: l&apos;analisi temporale richiede un foglio per periodo, almeno due.</source>
        <translation>A delimited text file holds one sheet: the time analysis needs one sheet per period, two at least.</translation>
    </message>
    <message>
        <source>Salvataggio dei dati effettuato con successo: 1 file copiato in %1.</source>
        <translation>The data were saved: 1 file copied to %1.</translation>
    </message>
    <message>
        <source>Salvataggio dei dati effettuato con successo: %1 file copiati in %2.</source>
        <translation>The data were saved: %1 files copied to %2.</translation>
    </message>
    <message>
        <source>

File da ricalcolare (il registro copiato con essi lo indica):
%1</source>
        <translation>

Files to be computed again (the record copied with them says so):
%1</translation>
    </message>
    <message>
        <source>La cartella di lavoro ha un solo foglio di dati: l&apos;analisi temporale richiede un foglio per periodo, almeno due.</source>
        <translation>The workbook holds one sheet of data: the time analysis needs one sheet per period, two at least.</translation>
    </message>
</context>
<context>
    <name>Methods</name>
    <message>
        <source> - Il metodo non è applicabile: un&apos;unità ha media nulla dei valori riscalati</source>
        <translation> - The method cannot be applied: a unit has a zero mean of its rescaled values</translation>
    </message>
    <message>
        <source> - Il metodo non è applicabile: i valori degli indicatori sono troppo distanti tra loro e l&apos;indice di un&apos;unità supera il massimo rappresentabile</source>
        <translation> - The method cannot be applied: the indicators&apos; values are too far apart and a unit&apos;s index exceeds the largest representable number</translation>
    </message>
    <message>
        <source>Nessuna matrice caricata o metodo sconosciuto.</source>
        <translation>No matrix loaded or unknown method.</translation>
    </message>
    <message>
        <source> - Il metodo non prevede valori negativi o nulli</source>
        <translation> - The method does not allow negative or zero values</translation>
    </message>
    <message>
        <source> - Il metodo non prevede valori strettamente negativi</source>
        <translation> - The method does not allow strictly negative values</translation>
    </message>
    <message>
        <source> - Il metodo non prevede valori nulli per gli indicatori di polarità negativa</source>
        <translation> - The method does not allow zero values for indicators of negative polarity</translation>
    </message>
    <message>
        <source>MPI+ Metodo Mazziotta Pareto Index positivo</source>
        <translation>MPI+ Mazziotta Pareto Index method, positive</translation>
    </message>
    <message>
        <source>MPI-  Metodo Mazziotta Pareto Index negativo</source>
        <translation>MPI-  Mazziotta Pareto Index method, negative</translation>
    </message>
    <message>
        <source>WROC Metodo tassonomico di Wroclaw</source>
        <translation>WROC Wroclaw taxonomic method</translation>
    </message>
    <message>
        <source>M1VZ Media dei valori standardizzati (Z)</source>
        <translation>M1VZ Mean of standardized values (Z)</translation>
    </message>
    <message>
        <source>GRAD Metodo delle graduatorie</source>
        <translation>GRAD Method of rankings</translation>
    </message>
    <message>
        <source>INRE Metodo degli indici relativi</source>
        <translation>INRE Method of relative indices</translation>
    </message>
    <message>
        <source>M1NI Media aritmetica dei numeri indici base media</source>
        <translation>M1NI Arithmetic mean of index numbers, base: mean</translation>
    </message>
    <message>
        <source>M0NI Media geometrica dei numeri indici base media</source>
        <translation>M0NI Geometric mean of index numbers, base: mean</translation>
    </message>
    <message>
        <source>M2NI Media quadratica dei numeri indici base media</source>
        <translation>M2NI Quadratic mean of index numbers, base: mean</translation>
    </message>
    <message>
        <source>Elaborazione annullata.</source>
        <translation>Processing cancelled.</translation>
    </message>
    <message>
        <source>Metodo %1 di %2: %3</source>
        <translation>Method %1 of %2: %3</translation>
    </message>
    <message>
        <source>Nessuna matrice caricata.</source>
        <translation>No matrix loaded.</translation>
    </message>
    <message>
        <source>Prima cella: %1 (%2, %3), valore %4.</source>
        <translation>First cell: %1 (%2, %3), value %4.</translation>
    </message>
</context>
<context>
    <name>RankCharts</name>
    <message>
        <source>Mediana del gruppo</source>
        <translation>Group median</translation>
    </message>
    <message>
        <source>5°-95° percentile del gruppo</source>
        <translation>Group 5th-95th percentile</translation>
    </message>
    <message>
        <source>Ranghi: %1 e %2 (aggregati: %3 unità in %4 gruppi per rango in %1)</source>
        <translation>Ranks: %1 and %2 (aggregated: %3 units in %4 groups by rank in %1)</translation>
    </message>
    <message>
        <source>Ranghi nei metodi confrontati</source>
        <translation>Ranks in the compared methods</translation>
    </message>
    <message>
        <source>Rango</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Ranghi: %1 e %2</source>
        <translation>Ranks: %1 and %2</translation>
    </message>
    <message>
        <source>Unità</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Stesso rango</source>
        <translation>Same rank</translation>
    </message>
    <message>
        <source> (%1 unità disegnate su %2: le prime per rango di riferimento)</source>
        <translation> (%1 units drawn of %2: the first by reference rank)</translation>
    </message>
    <message>
        <source> (%1 unità disegnate su %2: le selezionate)</source>
        <translation> (%1 units drawn of %2: the selected ones)</translation>
    </message>
    <message>
        <source>Metodo</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>Ranghi %1-%2 in %3
mediana in %4: %5
5°-95° percentile: %6-%7</source>
        <translation>Ranks %1-%2 under %3
median under %4: %5
5th-95th percentile: %6-%7</translation>
    </message>
</context>
<context>
    <name>RankIntervalChart</name>
    <message>
        <source>Intervalli dei ranghi su %1 graduatorie</source>
        <translation>Rank intervals over %1 rankings</translation>
    </message>
    <message>
        <source> (unità %1-%2 di %3)</source>
        <translation> (units %1-%2 of %3)</translation>
    </message>
    <message>
        <source>Intervalli dei ranghi</source>
        <translation>Rank intervals</translation>
    </message>
    <message>
        <source>5°-95° percentile</source>
        <translation>5th-95th percentile</translation>
    </message>
    <message>
        <source>Mediana</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Rango di riferimento</source>
        <translation>Reference rank</translation>
    </message>
    <message>
        <source>Rango</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Mediana: %1</source>
        <translation>Median: %1</translation>
    </message>
    <message>
        <source>5°-95° percentile: %1-%2</source>
        <translation>5th-95th percentile: %1-%2</translation>
    </message>
    <message>
        <source>Migliore e peggiore: %1-%2</source>
        <translation>Best and worst: %1-%2</translation>
    </message>
    <message>
        <source>Rango di riferimento: %1</source>
        <translation>Reference rank: %1</translation>
    </message>
    <message>
        <source>Unità selezionate</source>
        <translation>Selected units</translation>
    </message>
    <message>
        <source>Unità</source>
        <translation>Units</translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message>
        <source>Il registro %1 non è leggibile (%2): eliminarlo per ricominciare il registro.</source>
        <translation>The record %1 cannot be read (%2): delete it to start the record again.</translation>
    </message>
    <message>
        <source>modificato dopo il calcolo</source>
        <translation>modified after it was computed</translation>
    </message>
    <message>
        <source>calcolato su un&apos;altra versione della matrice</source>
        <translation>computed on another version of the matrix</translation>
    </message>
    <message>
        <source>calcolato con la struttura %1</source>
        <translation>computed with the structure %1</translation>
    </message>
    <message>
        <source>calcolato da %1, cambiato dopo</source>
        <translation>computed from %1, which changed since</translation>
    </message>
    <message>
        <source>scritto con %1, che è stato riscritto senza di esso</source>
        <translation>written with %1, which was rewritten without it</translation>
    </message>
    <message>
        <source>calcolato da %1, che è da ricalcolare</source>
        <translation>computed from %1, which is to be computed again</translation>
    </message>
    <message>
        <source>Origine di %1 non verificabile: il file non è nel registro.</source>
        <translation>The origin of %1 cannot be checked: the file is not in the record.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>calcolato senza struttura</source>
        <translation>computed without a structure</translation>
    </message>
    <message>
        <source>calcolato sulla matrice prima del trattamento degli anomali</source>
        <translation>computed on the matrix before the outlier treatment</translation>
    </message>
    <message>
        <source>calcolato sulla matrice trattata per gli anomali</source>
        <translation>computed on the matrix treated for outliers</translation>
    </message>
    <message>
        <source>calcolato su un altro trattamento degli anomali</source>
        <translation>computed on another outlier treatment</translation>
    </message>
    <message>
        <source>calcolato con un altro trattamento dei valori mancanti</source>
        <translation>computed with another treatment of missing values</translation>
    </message>
    <message>
        <source>Il registro %1 è in uso da un altro processo da più di %2 secondi: i file non sono stati scritti. Riprovare.</source>
        <translation>The record %1 has been in use by another process for more than %2 seconds: the files were not written. Try again.</translation>
    </message>
    <message>
        <source>Impossibile bloccare il registro %1 per aggiornarlo: i file non sono stati scritti.</source>
        <translation>The record %1 could not be locked to update it: the files were not written.</translation>
    </message>
    <message>
        <source>calcolato con un&apos;altra definizione dei metodi personalizzati in %1</source>
        <translation>computed with another definition of the methods in %1</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Trattamento dei valori anomali: %1</source>
        <translation>Outlier treatment: %1</translation>
    </message>
</context>
<context>
    <name>ResultsOutput</name>
    <message>
        <source>Esporta risultati</source>
        <translation>Export results</translation>
    </message>
    <message>
        <source>Rapporto PDF</source>
        <translation>PDF report</translation>
    </message>
    <message>
        <source>Cartella di Excel (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>Documento PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Esportazione dei risultati</source>
        <translation>Exporting the results</translation>
    </message>
    <message>
        <source>esportare i risultati</source>
        <translation>export the results</translation>
    </message>
    <message>
        <source>scrivere il rapporto</source>
        <translation>write the report</translation>
    </message>
    <message>
        <source>Risultati esportati in %1.</source>
        <translation>Results exported to %1.</translation>
    </message>
    <message>
        <source>Rapporto scritto in %1.</source>
        <translation>Report written to %1.</translation>
    </message>
    <message>
        <source>

File tralasciati:
</source>
        <translation>

Files left out:
</translation>
    </message>
</context>
<context>
    <name>Robustness</name>
    <message>
        <source>Nessuna matrice caricata o metodo sconosciuto.</source>
        <translation>No matrix loaded or unknown method.</translation>
    </message>
    <message>
        <source>La matrice ha un solo indicatore: l&apos;analisi di sensibilita&apos; richiede almeno due indicatori.</source>
        <translation>The matrix has only one indicator: the sensitivity analysis needs at least two indicators.</translation>
    </message>
    <message>
        <source>Nessuna matrice caricata o nessun metodo indicato.</source>
        <translation>No matrix loaded or no method given.</translation>
    </message>
    <message>
        <source>La matrice ha un solo indicatore: l&apos;analisi d&apos;incertezza richiede almeno due indicatori.</source>
        <translation>The matrix has only one indicator: the uncertainty analysis needs at least two indicators.</translation>
    </message>
    <message>
        <source>Analisi d&apos;incertezza</source>
        <translation>Uncertainty analysis</translation>
    </message>
    <message>
        <source>%1 senza %2: %3</source>
        <translation>%1 without %2: %3</translation>
    </message>
    <message>
        <source>Nessuno dei metodi indicati accetta la matrice.</source>
        <translation>None of the given methods accepts the matrix.</translation>
    </message>
    <message>
        <source>Analisi annullata.</source>
        <translation>Analysis cancelled.</translation>
    </message>
    <message>
        <source>senza %1 non resta alcun indicatore.</source>
        <translation>without %1 no indicator is left.</translation>
    </message>
    <message>
        <source>Nessuna matrice caricata, nessun metodo o nessuna estrazione indicata.</source>
        <translation>No matrix loaded, no method or no draw given.</translation>
    </message>
    <message>
        <source>La variazione dei pesi deve essere un numero tra 0 e 1.</source>
        <translation>The weight variation must be a number between 0 and 1.</translation>
    </message>
    <message>
        <source>La matrice ha un solo indicatore: non se ne può escludere uno.</source>
        <translation>The matrix has only one indicator: none can be left out.</translation>
    </message>
    <message>
        <source>Nessun fattore d&apos;incertezza: indicare più metodi, una variazione dei pesi, l&apos;esclusione di un indicatore o più trattamenti.</source>
        <translation>No uncertainty factor: give several methods, a weight variation, the leaving out of an indicator or several treatments.</translation>
    </message>
    <message>
        <source>Analisi Monte Carlo</source>
        <translation>Monte Carlo analysis</translation>
    </message>
    <message>
        <source>Nessuna estrazione è stata accettata dai metodi.</source>
        <translation>No draw was accepted by the methods.</translation>
    </message>
    <message>
        <source>trattata</source>
        <translation>treated</translation>
    </message>
    <message>
        <source>Nessun indicatore rimasto.</source>
        <translation>No indicator left.</translation>
    </message>
    <message>
        <source>calcolata su %1 metodi, il confronto attuale ne ha %2</source>
        <translation>computed on %1 methods, the current comparison has %2</translation>
    </message>
    <message>
        <source>calcolata sui metodi %1, il confronto attuale su %2</source>
        <translation>computed on the methods %1, the current comparison on %2</translation>
    </message>
    <message>
        <source>calcolata su una struttura, i risultati attuali senza</source>
        <translation>computed over a structure, the current results without one</translation>
    </message>
    <message>
        <source>calcolata senza struttura, i risultati attuali su una struttura</source>
        <translation>computed without a structure, the current results over one</translation>
    </message>
    <message>
        <source>calcolata con riferimento %1, il confronto attuale ha per primo %2</source>
        <translation>computed with %1 as reference, the current comparison has %2 first</translation>
    </message>
    <message>
        <source>Sensibilità agli indicatori: %1</source>
        <translation>Sensitivity to the indicators: %1</translation>
    </message>
    <message>
        <source>Gli indici di Sobol richiedono almeno %1 estrazioni: con meno le loro stime non dicono nulla (possono anche superare 1).</source>
        <translation>Sobol indices need at least %1 draws: with fewer their estimates say nothing (they can even exceed 1).</translation>
    </message>
    <message>
        <source>%1 unità senza indice complessivo in alcune estrazioni: i loro ranghi sono presi sulle altre (colonna Senza indice).</source>
        <translation>%1 units without an overall index in some draws: their ranks are taken over the others (column Senza indice).</translation>
    </message>
    <message>
        <source>I loro indici di Sobol restano vuoti.</source>
        <translation>Their Sobol indices are left empty.</translation>
    </message>
    <message>
        <source>Le normalizzazioni e le aggregazioni si estraggono solo per i metodi personalizzati: indicarne almeno uno.</source>
        <translation>Normalisations and aggregations are drawn only for custom methods: choose at least one.</translation>
    </message>
</context>
<context>
    <name>RobustnessWindow</name>
    <message>
        <source> - Robustezza</source>
        <translation> - Robustness</translation>
    </message>
    <message>
        <source>&amp;Ranghi</source>
        <translation>&amp;Ranks</translation>
    </message>
    <message>
        <source>&amp;Sensibilità agli indicatori</source>
        <translation>&amp;Sensitivity to the indicators</translation>
    </message>
    <message>
        <source>&amp;Incertezza</source>
        <translation>&amp;Uncertainty</translation>
    </message>
    <message>
        <source>&amp;Grafici</source>
        <translation>&amp;Charts</translation>
    </message>
    <message>
        <source>Cograduazione (Spearman)</source>
        <translation>Spearman rank correlation</translation>
    </message>
    <message>
        <source>Kendall</source>
        <translation>Kendall</translation>
    </message>
    <message>
        <source>Ranghi nei metodi confrontati (clic sull&apos;intestazione per ordinare)</source>
        <translation>Ranks in the compared methods (click a header to sort)</translation>
    </message>
    <message>
        <source>Calcola</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>Ripete il metodo escludendo un indicatore alla volta e salva la tabella accanto alla matrice</source>
        <translation>Repeats the method leaving out one indicator at a time and saves the table beside the matrix</translation>
    </message>
    <message>
        <source>&amp;Metodo:</source>
        <translation>&amp;Method:</translation>
    </message>
    <message>
        <source>Spostamento = rango senza l&apos;indicatore - rango con tutti gli indicatori (negativo: l&apos;unità sale in graduatoria).</source>
        <translation>Shift = rank without the indicator - rank with all the indicators (negative: the unit moves up the ranking).</translation>
    </message>
    <message>
        <source>Incrocia ogni metodo confrontato con ogni insieme di indicatori e salva la tabella</source>
        <translation>Crosses every compared method with every set of indicators and saves the table</translation>
    </message>
    <message>
        <source>Asse orizzontale:</source>
        <translation>Horizontal axis:</translation>
    </message>
    <message>
        <source>verticale:</source>
        <translation>vertical:</translation>
    </message>
    <message>
        <source>Salvato: </source>
        <translation>Saved: </translation>
    </message>
    <message>
        <source> non salvato</source>
        <translation> not saved</translation>
    </message>
    <message>
        <source>L&apos;analisi è stata eseguita, ma non è stata salvata.

</source>
        <translation>The analysis was carried out, but it was not saved.

</translation>
    </message>
    <message>
        <source>Riepilogo dei ranghi</source>
        <translation>Rank summary</translation>
    </message>
    <message>
        <source>riassumere i ranghi</source>
        <translation>summarise the ranks</translation>
    </message>
    <message>
        <source>%1 unità, %2 metodi (riferimento: %3). Spostamento medio dal rango di riferimento: %4. Unità con lo stesso rango in ogni metodo: %5.</source>
        <translation>%1 units, %2 methods (reference: %3). Mean shift from the reference rank: %4. Units with the same rank in every method: %5.</translation>
    </message>
    <message>
        <source>%1 metodi x (indicatori + 1) graduatorie per unità.</source>
        <translation>%1 methods x (indicators + 1) rankings per unit.</translation>
    </message>
    <message>
        <source>riepilogo dei ranghi</source>
        <translation>rank summary</translation>
    </message>
    <message>
        <source>Lettura della matrice</source>
        <translation>Reading the matrix</translation>
    </message>
    <message>
        <source>leggere la matrice</source>
        <translation>read the matrix</translation>
    </message>
    <message>
        <source>La matrice sorgente non ha le unità del confronto: eseguire di nuovo i metodi.</source>
        <translation>The source matrix does not have the units of the comparison: run the methods again.</translation>
    </message>
    <message>
        <source>Sensibilità agli indicatori</source>
        <translation>Sensitivity to the indicators</translation>
    </message>
    <message>
        <source>analizzare la sensibilità</source>
        <translation>analyse the sensitivity</translation>
    </message>
    <message>
        <source>%1: spostamento = rango senza l&apos;indicatore - rango con tutti gli indicatori (negativo: l&apos;unità sale in graduatoria).</source>
        <translation>%1: shift = rank without the indicator - rank with all the indicators (negative: the unit moves up the ranking).</translation>
    </message>
    <message>
        <source>Senza %1: %2</source>
        <translation>Without %1: %2</translation>
    </message>
    <message>
        <source>sensibilità agli indicatori</source>
        <translation>sensitivity to the indicators</translation>
    </message>
    <message>
        <source>Analisi d&apos;incertezza</source>
        <translation>Uncertainty analysis</translation>
    </message>
    <message>
        <source>analizzare l&apos;incertezza</source>
        <translation>analyse the uncertainty</translation>
    </message>
    <message>
        <source>%1 graduatorie per unità (%2 x %3 insiemi di indicatori).</source>
        <translation>%1 rankings per unit (%2 x %3 sets of indicators).</translation>
    </message>
    <message>
        <source>analisi d&apos;incertezza</source>
        <translation>uncertainty analysis</translation>
    </message>
    <message>
        <source>Analisi Monte Carlo</source>
        <translation>Monte Carlo analysis</translation>
    </message>
    <message>
        <source>eseguire l&apos;analisi Monte Carlo</source>
        <translation>run the Monte Carlo analysis</translation>
    </message>
    <message>
        <source>Analisi Monte Carlo annullata: nessun file scritto</source>
        <translation>Monte Carlo analysis cancelled: no file written</translation>
    </message>
    <message>
        <source>%1 graduatorie per unità; fattori: %2.</source>
        <translation>%1 rankings per unit; factors: %2.</translation>
    </message>
    <message>
        <source>%1 estrazioni scartate: un metodo non ha accettato la matrice.</source>
        <translation>%1 draws discarded: a method did not accept the matrix.</translation>
    </message>
    <message>
        <source>&amp;Monte Carlo</source>
        <translation>&amp;Monte Carlo</translation>
    </message>
    <message>
        <source>Metodo (tra quelli confrontati)</source>
        <translation>Method (among those compared)</translation>
    </message>
    <message>
        <source>Indicatore escluso (o nessuno)</source>
        <translation>Indicator left out (or none)</translation>
    </message>
    <message>
        <source>Trattamento degli anomali (sì o no)</source>
        <translation>Outlier treatment (yes or no)</translation>
    </message>
    <message>
        <source>Indici di Sobol (disegno di Saltelli)</source>
        <translation>Sobol indices (Saltelli design)</translation>
    </message>
    <message>
        <source>Ogni peso moltiplicato per un fattore uniforme in [1 - F, 1 + F]; 0: pesi fissi</source>
        <translation>Each weight times a uniform factor in [1 - F, 1 + F]; 0: fixed weights</translation>
    </message>
    <message>
        <source>Estrae le scelte incerte, calcola una graduatoria per estrazione e salva le tabelle accanto alla matrice</source>
        <translation>Draws the uncertain choices, computes a ranking per draw and saves the tables beside the matrix</translation>
    </message>
    <message>
        <source>Variazione dei &amp;pesi (F):</source>
        <translation>&amp;Weight variation (F):</translation>
    </message>
    <message>
        <source>&amp;Estrazioni:</source>
        <translation>&amp;Draws:</translation>
    </message>
    <message>
        <source>&amp;Seme:</source>
        <translation>S&amp;eed:</translation>
    </message>
    <message>
        <source>Fattori d&apos;incertezza</source>
        <translation>Uncertainty factors</translation>
    </message>
    <message>
        <source>Indice totale di ogni fattore sul rango di ogni unità</source>
        <translation>Total index of each factor on each unit&apos;s rank</translation>
    </message>
    <message>
        <source>Scegliere almeno un fattore d&apos;incertezza: più metodi, una variazione dei pesi, l&apos;esclusione di un indicatore, il trattamento degli anomali o quello dei valori mancanti.</source>
        <translation>Choose at least one uncertain factor: several methods, a variation of the weights, leaving out an indicator, the treatment of outliers or that of missing values.</translation>
    </message>
    <message>
        <source>Trattamento dei valori mancanti (se la matrice ne ha)</source>
        <translation>Treatment of missing values (if the matrix has any)</translation>
    </message>
    <message>
        <source>La matrice letta di nuovo con le sue lacune, trattate di volta in volta sui valori disponibili, con la media, la mediana o l&apos;EM</source>
        <translation>The matrix read again with its gaps, treated in turn on the values available, with the mean, the median or EM</translation>
    </message>
    <message>
        <source>Le unità selezionate in una griglia o cercate per etichetta sono evidenziate in ogni grafico.</source>
        <translation>The units selected in a grid or found by label are highlighted in every chart.</translation>
    </message>
    <message>
        <source>Unità trovate per «%1»: %2</source>
        <translation>Units found for “%1”: %2</translation>
    </message>
    <message>
        <source>Robustezza: Monte Carlo</source>
        <translation>Robustness: Monte Carlo</translation>
    </message>
    <message>
        <source>Robustezza: Riepilogo dei ranghi</source>
        <translation>Robustness: Rank summary</translation>
    </message>
    <message>
        <source>Robustezza: Sensibilità</source>
        <translation>Robustness: Sensitivity</translation>
    </message>
    <message>
        <source>Robustezza: Incertezza</source>
        <translation>Robustness: Uncertainty</translation>
    </message>
    <message>
        <source>Per i metodi personalizzati: le normalizzazioni estratte oltre alla propria, separate da virgole (%1)</source>
        <translation>For custom methods: the normalisations drawn besides their own, separated by commas (%1)</translation>
    </message>
    <message>
        <source>Per i metodi personalizzati: le aggregazioni estratte oltre alla propria, separate da virgole (%1)</source>
        <translation>For custom methods: the aggregations drawn besides their own, separated by commas (%1)</translation>
    </message>
    <message>
        <source>&amp;Normalizzazioni:</source>
        <translation>&amp;Normalisations:</translation>
    </message>
    <message>
        <source>&amp;Aggregazioni:</source>
        <translation>&amp;Aggregations:</translation>
    </message>
    <message>
        <source>M&amp;appa</source>
        <translation>M&amp;ap</translation>
    </message>
</context>
<context>
    <name>Shared</name>
    <message>
        <source>Impossibile scrivere il file %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>esiste una cartella con lo stesso nome.</source>
        <translation>a folder with the same name exists.</translation>
    </message>
    <message>
        <source>la cartella %1 non esiste.</source>
        <translation>the folder %1 does not exist.</translation>
    </message>
    <message>
        <source>la cartella non è scrivibile.</source>
        <translation>the folder is not writable.</translation>
    </message>
    <message>
        <source>il file è protetto dalla scrittura.</source>
        <translation>the file is write-protected.</translation>
    </message>
    <message>
        <source>il file non può essere creato (%1).</source>
        <translation>the file cannot be created (%1).</translation>
    </message>
    <message>
        <source>il file non può essere creato (nessun nome temporaneo libero).</source>
        <translation>the file cannot be created (no free temporary name).</translation>
    </message>
    <message>
        <source>il file non è aperto.</source>
        <translation>the file is not open.</translation>
    </message>
    <message>
        <source>errore di scrittura, forse il disco è pieno (%1).</source>
        <translation>write error, perhaps the disk is full (%1).</translation>
    </message>
    <message>
        <source>il file temporaneo %1 è scomparso (%2).</source>
        <translation>the temporary file %1 has disappeared (%2).</translation>
    </message>
    <message>
        <source>il file non può essere sostituito (%1).</source>
        <translation>the file cannot be replaced (%1).</translation>
    </message>
    <message>
        <source>la destinazione è il file stesso</source>
        <translation>the destination is the file itself</translation>
    </message>
    <message>
        <source>nella cartella di destinazione esiste una cartella con lo stesso nome</source>
        <translation>a folder with the same name exists in the destination folder</translation>
    </message>
    <message>
        <source>i file della matrice non possono essere letti</source>
        <translation>the matrix&apos;s files cannot be read</translation>
    </message>
    <message>
        <source>Copia dei file</source>
        <translation>Copying the files</translation>
    </message>
    <message>
        <source>la cartella di destinazione non esiste</source>
        <translation>the destination folder does not exist</translation>
    </message>
    <message>
        <source>il file temporaneo %1 non può essere riletto.</source>
        <translation>the temporary file %1 cannot be read back.</translation>
    </message>
    <message>
        <source>Il file %1 non può essere letto: %2</source>
        <translation>The file %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>è una cartella.</source>
        <translation>it is a folder.</translation>
    </message>
    <message>
        <source>non è un file regolare (è un dispositivo, una pipe o un socket).</source>
        <translation>it is not a regular file (it is a device, a pipe or a socket).</translation>
    </message>
    <message>
        <source>occupa %1 byte, più dei %2 che può occupare.</source>
        <translation>it takes %1 bytes, more than the %2 it may take.</translation>
    </message>
</context>
<context>
    <name>SobolChart</name>
    <message>
        <source>%1 (90%: %2 - %3)</source>
        <translation>%1 (90%: %2 - %3)</translation>
    </message>
    <message>
        <source>Indici di Sobol</source>
        <translation>Sobol indices</translation>
    </message>
    <message>
        <source>Indici di Sobol: nessun rango si è mosso</source>
        <translation>Sobol indices: no rank moved</translation>
    </message>
    <message>
        <source>Primo ordine (Si)</source>
        <translation>First order (Si)</translation>
    </message>
    <message>
        <source>Totale (STi)</source>
        <translation>Total (STi)</translation>
    </message>
    <message>
        <source>Quota della varianza</source>
        <translation>Share of the variance</translation>
    </message>
    <message>
        <source>Fattore d&apos;incertezza</source>
        <translation>Uncertainty factor</translation>
    </message>
    <message>
        <source>Barre: stima dell&apos;indice; baffi: intervallo al 90% sulle estrazioni.</source>
        <translation>Bars: the index estimate; whiskers: the 90% interval over the draws.</translation>
    </message>
    <message>
        <source>Oltre 1 (%1): con poche estrazioni la stima può superare 1, che l&apos;indice vero non supera; più estrazioni la avvicinano.</source>
        <translation>Above 1 (%1): with few draws the estimate can exceed 1, which the true index never does; more draws bring it closer.</translation>
    </message>
</context>
<context>
    <name>TableHeaders</name>
    <message>
        <source>Rango di riferimento</source>
        <translation>Reference rank</translation>
    </message>
    <message>
        <source>Rango mediano</source>
        <translation>Median rank</translation>
    </message>
    <message>
        <source>Migliore</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>Peggiore</source>
        <translation>Worst</translation>
    </message>
    <message>
        <source>Intervallo</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Spostamento medio</source>
        <translation>Mean shift</translation>
    </message>
    <message>
        <source>Rango</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Spostamento massimo</source>
        <translation>Largest shift</translation>
    </message>
    <message>
        <source>Indicatore</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>Mediana</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>5° percentile</source>
        <translation>5th percentile</translation>
    </message>
    <message>
        <source>95° percentile</source>
        <translation>95th percentile</translation>
    </message>
    <message>
        <source>Nominale</source>
        <translation>Nominal</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Fattore</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>Polarità</source>
        <translation>Polarity</translation>
    </message>
    <message>
        <source>Scarto</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <source>Scarto campionario</source>
        <translation>Sample standard deviation</translation>
    </message>
    <message>
        <source>Minimo</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Massimo</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Asimmetria</source>
        <translation>Skewness</translation>
    </message>
    <message>
        <source>Curtosi</source>
        <translation>Kurtosis</translation>
    </message>
    <message>
        <source>Anomalo</source>
        <translation>Outlier</translation>
    </message>
    <message>
        <source>Gruppo</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Indicatori</source>
        <translation>Indicators</translation>
    </message>
    <message>
        <source>Alfa</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>Autovalore 1</source>
        <translation>Eigenvalue 1</translation>
    </message>
    <message>
        <source>Varianza 1</source>
        <translation>Variance 1</translation>
    </message>
    <message>
        <source>Autovalori sopra 1</source>
        <translation>Eigenvalues above 1</translation>
    </message>
    <message>
        <source>Metodo</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>Pesi</source>
        <translation>Weights</translation>
    </message>
    <message>
        <source>Indicatore escluso</source>
        <translation>Indicator left out</translation>
    </message>
    <message>
        <source>Mancanti</source>
        <translation>Missing values</translation>
    </message>
    <message>
        <source>Anomali</source>
        <translation>Outliers</translation>
    </message>
    <message>
        <source>Senza indice</source>
        <translation>Without an index</translation>
    </message>
    <message>
        <source>Normalizzazione</source>
        <translation>Normalisation</translation>
    </message>
    <message>
        <source>Aggregazione</source>
        <translation>Aggregation</translation>
    </message>
</context>
<context>
    <name>TimeAnalysisWindow</name>
    <message>
        <source>Analisi temporale (AMPI)</source>
        <translation>Time analysis (AMPI)</translation>
    </message>
    <message>
        <source>Periodo base:</source>
        <translation>Base period:</translation>
    </message>
    <message>
        <source>Dimensione:</source>
        <translation>Dimension:</translation>
    </message>
    <message>
        <source>Indice</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Valori per periodo (selezionare le unità da tracciare)</source>
        <translation>Values by period (select the units to plot)</translation>
    </message>
    <message>
        <source>Ranghi per periodo</source>
        <translation>Ranks by period</translation>
    </message>
    <message>
        <source>Lettura dei periodi</source>
        <translation>Reading the periods</translation>
    </message>
    <message>
        <source>leggere i periodi</source>
        <translation>read the periods</translation>
    </message>
    <message>
        <source>Periodi: %1 (%2 unità, %3 indicatori)</source>
        <translation>Periods: %1 (%2 units, %3 indicators)</translation>
    </message>
    <message>
        <source>Calcolo dell&apos;AMPI</source>
        <translation>Computing the AMPI</translation>
    </message>
    <message>
        <source>calcolare l&apos;AMPI</source>
        <translation>compute the AMPI</translation>
    </message>
    <message>
        <source>File dell&apos;AMPI non scritti</source>
        <translation>AMPI files not written</translation>
    </message>
    <message>
        <source>%1, base %2</source>
        <translation>%1, base %2</translation>
    </message>
    <message>
        <source>%1 su base %2 scritto in </source>
        <translation>%1 on base %2 written to </translation>
    </message>
    <message>
        <source>Unità trovate per «%1»: %2</source>
        <translation>Units found for “%1”: %2</translation>
    </message>
    <message>
        <source>Analisi temporale: Calcola</source>
        <translation>Time analysis: Compute</translation>
    </message>
    <message>
        <source>Grafico</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Mappa</source>
        <translation>Map</translation>
    </message>
</context>
<context>
    <name>Timeseries</name>
    <message>
        <source>Caricamento dei periodi annullato.</source>
        <translation>Loading of the periods cancelled.</translation>
    </message>
    <message>
        <source>Il foglio &quot;%1&quot; di %2</source>
        <translation>The sheet &quot;%1&quot; of %2</translation>
    </message>
    <message>
        <source> è vuoto nella cella A1: la matrice deve iniziare in A1 con l&apos;etichetta d&apos;angolo.</source>
        <translation> is empty in cell A1: the matrix must start in A1 with the corner label.</translation>
    </message>
    <message>
        <source> non contiene indicatori.</source>
        <translation> contains no indicators.</translation>
    </message>
    <message>
        <source> non contiene unità.</source>
        <translation> contains no units.</translation>
    </message>
    <message>
        <source>Foglio &quot;%1&quot;: </source>
        <translation>Sheet &quot;%1&quot;: </translation>
    </message>
    <message>
        <source>nessun indicatore</source>
        <translation>no indicator</translation>
    </message>
    <message>
        <source> non ha gli indicatori del foglio &quot;%1&quot;: la cella %2 riporta %3 invece di %4.</source>
        <translation> does not have the indicators of the sheet &quot;%1&quot;: cell %2 holds %3 instead of %4.</translation>
    </message>
    <message>
        <source> riporta l&apos;unità &quot;%1&quot; due volte, nelle righe %2 e %3: le unità devono avere etichette distinte.</source>
        <translation> lists the unit &quot;%1&quot; twice, in rows %2 and %3: units must have distinct labels.</translation>
    </message>
    <message>
        <source> riporta nella riga %1 l&apos;unità &quot;%2&quot;, assente nel foglio &quot;%3&quot;.</source>
        <translation> lists in row %1 the unit &quot;%2&quot;, which is missing from the sheet &quot;%3&quot;.</translation>
    </message>
    <message>
        <source> non riporta l&apos;unità &quot;%1&quot; del foglio &quot;%2&quot;.</source>
        <translation> does not list the unit &quot;%1&quot; of the sheet &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Lettura dei periodi</source>
        <translation>Reading the periods</translation>
    </message>
    <message>
        <source>L&apos;indicatore definito nella matrice come %1 risulta essere costante in tutte le osservazioni di tutti i periodi. Verificare la validità della matrice selezionata!</source>
        <translation>The indicator defined in the matrix as %1 is constant across all the observations of all the periods. Check that the selected matrix is valid!</translation>
    </message>
    <message>
        <source>L&apos;AMPI confronta due periodi o più, uno per foglio della cartella: %1 ha un solo foglio di dati (&quot;%2&quot;). Nessun file è stato scritto.</source>
        <translation>AMPI compares two periods or more, one per sheet of the workbook: %1 has only one data sheet (&quot;%2&quot;). No file was written.</translation>
    </message>
</context>
<context>
    <name>Treatment</name>
    <message>
        <source>L&apos;indicatore definito nella matrice come %1 non ha alcun valore. Verificare la validità della matrice selezionata!</source>
        <translation>The indicator defined in the matrix as %1 has no value. Check the validity of the selected matrix!</translation>
    </message>
    <message>
        <source>L&apos;unità %1 non ha alcun valore. Verificare la validità della matrice selezionata!</source>
        <translation>The unit %1 has no value. Check the validity of the selected matrix!</translation>
    </message>
    <message>
        <source>Rifiuta la matrice</source>
        <translation>Refuse the matrix</translation>
    </message>
    <message>
        <source>Sui valori disponibili</source>
        <translation>On the values available</translation>
    </message>
    <message>
        <source>Media dell&apos;indicatore</source>
        <translation>Indicator&apos;s mean</translation>
    </message>
    <message>
        <source>Mediana dell&apos;indicatore</source>
        <translation>Indicator&apos;s median</translation>
    </message>
    <message>
        <source>Massima verosimiglianza (EM)</source>
        <translation>Maximum likelihood (EM)</translation>
    </message>
    <message>
        <source>%1 valori mancanti (%2%)</source>
        <translation>%1 missing values (%2%)</translation>
    </message>
    <message>
        <source>La matrice ha %1: come trattarli?</source>
        <translation>The matrix has %1: how should they be treated?</translation>
    </message>
    <message>
        <source>Con una copertura minima di %1 non resta alcun %2 da elaborare: abbassare la soglia.</source>
        <translation>With a minimum coverage of %1 no %2 is left to process: lower the threshold.</translation>
    </message>
    <message>
        <source>indicatore</source>
        <translation>indicator</translation>
    </message>
    <message>
        <source>unità</source>
        <translation>unit</translation>
    </message>
    <message>
        <source>La matrice letta ha %1 su %2 celle. Trattamento dei valori mancanti: %3.</source>
        <translation>The matrix read has %1 of %2 cells. Treatment of missing values: %3.</translation>
    </message>
    <message>
        <source>Copertura minima richiesta a indicatori e unità: %1%.</source>
        <translation>Minimum coverage required of indicators and units: %1%.</translation>
    </message>
    <message>
        <source>Indicatori esclusi: %1.</source>
        <translation>Indicators left out: %1.</translation>
    </message>
    <message>
        <source>Unità escluse: %1.</source>
        <translation>Units left out: %1.</translation>
    </message>
    <message>
        <source>Nessun indicatore e nessuna unità esclusi.</source>
        <translation>No indicator and no unit left out.</translation>
    </message>
    <message>
        <source>Celle riempite: %1.</source>
        <translation>Cells filled: %1.</translation>
    </message>
    <message>
        <source>Copertura: %1</source>
        <translation>Coverage: %1</translation>
    </message>
    <message>
        <source>Indicatori con copertura inferiore al %1%: %2</source>
        <translation>Indicators with coverage below %1%: %2</translation>
    </message>
    <message>
        <source>Unità con copertura inferiore al %1%: %2</source>
        <translation>Units with coverage below %1%: %2</translation>
    </message>
    <message>
        <source> e %1 celle con un testo che non è un numero né un valore mancante</source>
        <translation> and %1 cells with a text that is neither a number nor a missing value</translation>
    </message>
    <message>
        <source>Struttura: il gruppo %1 resta senza indicatori ed è escluso.</source>
        <translation>Structure: the group %1 is left without indicators and is left out.</translation>
    </message>
    <message>
        <source>Nessuna unità ha un indice complessivo: a ciascuna mancano tutti gli elementi di un gruppo della struttura fino all&apos;indice complessivo.</source>
        <translation>No unit has an overall index: each lacks every element of a group of the structure up to the overall index.</translation>
    </message>
    <message>
        <source>Trattamento dei valori mancanti annullato.</source>
        <translation>Treatment of missing values cancelled.</translation>
    </message>
    <message>
        <source>Unità escluse senza indice complessivo: %1.</source>
        <translation>Units left out without an overall index: %1.</translation>
    </message>
    <message>
        <source>Unità senza indice complessivo: %1</source>
        <translation>Units without an overall index: %1</translation>
    </message>
</context>
<context>
    <name>UnitSearchBox</name>
    <message>
        <source>Cerca unità...</source>
        <translation>Find units...</translation>
    </message>
    <message>
        <source>Seleziona le unità la cui etichetta contiene il testo scritto</source>
        <translation>Selects the units whose label contains the text typed</translation>
    </message>
</context>
<context>
    <name>UserSettings</name>
    <message>
        <source>Il file delle impostazioni %1 non è un file regolare: viene ignorato, il programma parte con le impostazioni predefinite e non le salva.</source>
        <translation>The settings file %1 is not a regular file: it is ignored, the program starts with the default settings and does not save them.</translation>
    </message>
</context>
<context>
    <name>ValutaMP</name>
    <message>
        <source>Selezione dei metodi elaborati</source>
        <translation>Selection of the processed methods</translation>
    </message>
    <message>
        <source>Doppio clic su un metodo per aggiungerlo al confronto</source>
        <translation>Double-click a method to add it to the comparison</translation>
    </message>
    <message>
        <source>Doppio clic su un metodo per toglierlo dal confronto</source>
        <translation>Double-click a method to remove it from the comparison</translation>
    </message>
    <message>
        <source>&amp;Metodi elaborati</source>
        <translation>&amp;Processed methods</translation>
    </message>
    <message>
        <source>Matrice di cograduazione</source>
        <translation>Spearman rank correlation matrix</translation>
    </message>
    <message>
        <source>Valutazione Metodi</source>
        <translation>Evaluate Methods</translation>
    </message>
    <message>
        <source>Confronta i metodi selezionati e salva il confronto accanto alla matrice sorgente</source>
        <translation>Compares the selected methods and saves the comparison beside the source matrix</translation>
    </message>
    <message>
        <source>Visualizzazione matrice dei risultati</source>
        <translation>Results matrix view</translation>
    </message>
    <message>
        <source>Valori</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Ranghi</source>
        <translation>Ranks</translation>
    </message>
    <message>
        <source>Robustezza...</source>
        <translation>Robustness...</translation>
    </message>
    <message>
        <source>Quanto sono stabili i ranghi: intervalli, Kendall, sensibilità agli indicatori, incertezza, grafici</source>
        <translation>How stable the ranks are: intervals, Kendall, sensitivity to the indicators, uncertainty, charts</translation>
    </message>
    <message>
        <source>Matrice dei risultati</source>
        <translation>Results matrix</translation>
    </message>
    <message>
        <source>Esporta risultati...</source>
        <translation>Export results...</translation>
    </message>
    <message>
        <source>Scrive la matrice, i risultati e i confronti in una cartella di Excel</source>
        <translation>Writes the matrix, the results and the comparisons to an Excel workbook</translation>
    </message>
    <message>
        <source>Rapporto PDF...</source>
        <translation>PDF report...</translation>
    </message>
    <message>
        <source>Scrive un rapporto sui risultati in un documento PDF</source>
        <translation>Writes a report on the results to a PDF document</translation>
    </message>
    <message>
        <source>Lettura dei risultati</source>
        <translation>Reading the results</translation>
    </message>
    <message>
        <source>confrontare i metodi</source>
        <translation>compare the methods</translation>
    </message>
    <message>
        <source>Confronto non salvato</source>
        <translation>Comparison not saved</translation>
    </message>
    <message>
        <source>Il confronto è stato eseguito, ma non è stato salvato.

</source>
        <translation>The comparison was carried out, but it was not saved.

</translation>
    </message>
    <message>
        <source>Nessun metodo è ancora stato elaborato per questa matrice: eseguire prima i metodi da «Elaborazione metodi».</source>
        <translation>No method has been run on this matrix yet: first run the methods from “Run methods”.</translation>
    </message>
    <message>
        <source>Premere «Valutazione Metodi» per confrontare i metodi selezionati.</source>
        <translation>Press “Evaluate Methods” to compare the selected methods.</translation>
    </message>
    <message>
        <source>&amp;Tutti</source>
        <translation>&amp;All</translation>
    </message>
    <message>
        <source>Confronta tutti i metodi elaborati, nell&apos;ordine della lista dei metodi (MPI+ per primo)</source>
        <translation>Compares every method that has run, in the order of the method list (MPI+ first)</translation>
    </message>
    <message>
        <source>Fare doppio clic su almeno due metodi elaborati per aggiungerli al confronto, o premere «Tutti».</source>
        <translation>Double-click at least two methods that have run to add them to the comparison, or press “All”.</translation>
    </message>
    <message>
        <source>Metodi da &amp;confrontare (il primo è il riferimento di Robustezza)</source>
        <translation>Methods to &amp;compare (the first is the reference of Robustness)</translation>
    </message>
    <message>
        <source>%1 (da ricalcolare)</source>
        <translation>%1 (to be computed again)</translation>
    </message>
    <message>
        <source>Comparazione: Confronta</source>
        <translation>Comparison: Compare</translation>
    </message>
</context>
<context>
    <name>Weights</name>
    <message>
        <source>Le correlazioni degli elementi del gruppo %1 non sono definite (un elemento costante o con meno di due valori): i pesi non possono essere calcolati.</source>
        <translation>The correlations of the elements of group %1 are undefined (an element is constant or has fewer than two values): the weights cannot be computed.</translation>
    </message>
    <message>
        <source>%1%2: quota %3 -&gt; %4</source>
        <translation>%1%2: share %3 -&gt; %4</translation>
    </message>
    <message>
        <source>%1: scarto delle correlazioni con il gruppo %2 -&gt; %3</source>
        <translation>%1: spread of the correlations with the group %2 -&gt; %3</translation>
    </message>
</context>
<context>
    <name>Workbook</name>
    <message>
        <source>L&apos;indicatore definito nella matrice come </source>
        <translation>The indicator defined in the matrix as </translation>
    </message>
    <message>
        <source>Caricamento della matrice annullato.</source>
        <translation>Loading of the matrix cancelled.</translation>
    </message>
    <message>
        <source> risulta avere valori nulli. Verificare la validità della matrice selezionata!</source>
        <translation> has empty values. Check that the selected matrix is valid!</translation>
    </message>
    <message>
        <source> risulta avere valori alfanumerici. Verificare la validità della matrice selezionata!</source>
        <translation> has alphanumeric values. Check that the selected matrix is valid!</translation>
    </message>
    <message>
        <source> risulta essere costante in tutte le osservazioni. Verificare la validità della matrice selezionata!</source>
        <translation> is constant across all the observations. Check that the selected matrix is valid!</translation>
    </message>
    <message>
        <source>Controllo della matrice</source>
        <translation>Checking the matrix</translation>
    </message>
    <message>
        <source>Il primo foglio di %1 è vuoto nella cella A1: la matrice deve iniziare in A1 con l&apos;etichetta d&apos;angolo.</source>
        <translation>The first sheet of %1 is empty in cell A1: the matrix must start in A1 with the corner label.</translation>
    </message>
    <message>
        <source>La matrice di %1 non contiene indicatori: la riga 1 deve riportare i nomi degli indicatori a partire da B1.</source>
        <translation>The matrix of %1 contains no indicators: row 1 must hold the names of the indicators starting from B1.</translation>
    </message>
    <message>
        <source>La matrice di %1 non contiene unità: la colonna A deve riportare le etichette delle unità a partire da A2.</source>
        <translation>The matrix of %1 contains no units: column A must hold the labels of the units starting from A2.</translation>
    </message>
    <message>
        <source>Lettura della matrice</source>
        <translation>Reading the matrix</translation>
    </message>
    <message>
        <source>il campo alla riga %1, colonna %2 </source>
        <translation>the field at row %1, column %2 </translation>
    </message>
    <message>
        <source>il testo contiene più di %1 righe</source>
        <translation>the text has more than %1 rows</translation>
    </message>
    <message>
        <source>la riga %1 contiene più di %2 campi</source>
        <translation>row %1 has more than %2 fields</translation>
    </message>
    <message>
        <source>Il file %1 non può essere letto: verificare i permessi.</source>
        <translation>The file %1 cannot be read: check its permissions.</translation>
    </message>
    <message>
        <source>Il file %1 è un testo in codifica UTF-16, non supportata: salvarlo di nuovo come testo CSV in UTF-8.</source>
        <translation>The file %1 is text in the UTF-16 encoding, which is not supported: save it again as CSV text in UTF-8.</translation>
    </message>
    <message>
        <source>Il file %1 non è un testo delimitato valido: il campo alla riga %2, colonna %3 apre le virgolette senza chiuderle.</source>
        <translation>The file %1 is not valid delimited text: the field at row %2, column %3 opens quotes without closing them.</translation>
    </message>
    <message>
        <source>la parte %1 non contiene un foglio di calcolo</source>
        <translation>the part %1 contains no spreadsheet</translation>
    </message>
    <message>
        <source>la parte %1 contiene un numero di ripetizioni non valido (&quot;%2&quot;)</source>
        <translation>the part %1 contains an invalid repeat count (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>contiene un numero non valido (&quot;%1&quot;)</source>
        <translation>contains an invalid number (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>contiene una data non valida (&quot;%1&quot;)</source>
        <translation>contains an invalid date (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>contiene un&apos;ora non valida (&quot;%1&quot;)</source>
        <translation>contains an invalid time (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>contiene un valore logico non valido (&quot;%1&quot;)</source>
        <translation>contains an invalid logical value (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>contiene una cella di tipo sconosciuto (&quot;%1&quot;)</source>
        <translation>contains a cell of unknown type (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>la cella %1 della parte %2 %3</source>
        <translation>cell %1 of the part %2 %3</translation>
    </message>
    <message>
        <source>la parte %1 contiene una cella oltre i limiti del formato (%2 righe per %3 colonne)</source>
        <translation>the part %1 contains a cell beyond the format&apos;s limits (%2 rows by %3 columns)</translation>
    </message>
    <message>
        <source>un documento di testo</source>
        <translation>a text document</translation>
    </message>
    <message>
        <source>una presentazione</source>
        <translation>a presentation</translation>
    </message>
    <message>
        <source>un disegno</source>
        <translation>a drawing</translation>
    </message>
    <message>
        <source>un grafico</source>
        <translation>a chart</translation>
    </message>
    <message>
        <source>una formula</source>
        <translation>a formula</translation>
    </message>
    <message>
        <source>un documento di altro tipo</source>
        <translation>a document of another kind</translation>
    </message>
    <message>
        <source>Il file %1 è %2 OpenDocument, non un foglio di calcolo.</source>
        <translation>The file %1 is %2 in OpenDocument format, not a spreadsheet.</translation>
    </message>
    <message>
        <source>l&apos;archivio ZIP è danneggiato o incompleto</source>
        <translation>the ZIP archive is damaged or incomplete</translation>
    </message>
    <message>
        <source>la parte mimetype è danneggiata</source>
        <translation>the mimetype part is damaged</translation>
    </message>
    <message>
        <source>manca la parte %1 con il contenuto</source>
        <translation>the part %1 with the content is missing</translation>
    </message>
    <message>
        <source>il primo foglio contiene più di %1 celle non vuote</source>
        <translation>the first sheet contains more than %1 non-empty cells</translation>
    </message>
    <message>
        <source>la tabella delle stringhe condivise contiene più di %1 stringhe</source>
        <translation>the shared string table contains more than %1 strings</translation>
    </message>
    <message>
        <source>i testi della cartella di lavoro superano in tutto i %1 caratteri</source>
        <translation>the workbook&apos;s texts exceed %1 characters in all</translation>
    </message>
    <message>
        <source>un testo supera i %1 caratteri che una cella può contenere</source>
        <translation>a text exceeds the %1 characters a cell can hold</translation>
    </message>
    <message>
        <source>Il file %1 non esiste.</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>Il file %1 non è una cartella di lavoro %2 valida: %3.</source>
        <translation>The file %1 is not a valid %2 workbook: %3.</translation>
    </message>
    <message>
        <source>Il file %1 non può essere letto: %2.</source>
        <translation>The file %1 cannot be read: %2.</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 è protetta da password: toglierla dal programma che l&apos;ha creata e salvarla di nuovo.</source>
        <translation>The workbook %1 is password-protected: remove the password in the program that created it and save it again.</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 non contiene fogli.</source>
        <translation>The workbook %1 contains no sheets.</translation>
    </message>
    <message>
        <source>contiene un testo di più di %1 caratteri</source>
        <translation>contains a text of more than %1 characters</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 ha %2 fogli: il foglio numero %3 non esiste.</source>
        <translation>The workbook %1 has %2 sheets: sheet number %3 does not exist.</translation>
    </message>
    <message>
        <source>il primo foglio</source>
        <translation>the first sheet</translation>
    </message>
    <message>
        <source>il foglio &quot;%1&quot;</source>
        <translation>the sheet &quot;%1&quot;</translation>
    </message>
    <message>
        <source>del primo foglio</source>
        <translation>of the first sheet</translation>
    </message>
    <message>
        <source>del foglio &quot;%1&quot;</source>
        <translation>of the sheet &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Il file %1 non è una matrice in un formato riconosciuto: cartella di lavoro Excel (.xls o .xlsx), foglio di calcolo OpenDocument (.ods) o testo delimitato (.csv, .txt, .tsv).</source>
        <translation>The file %1 is not a matrix in a recognised format: Excel workbook (.xls or .xlsx), OpenDocument spreadsheet (.ods) or delimited text (.csv, .txt, .tsv).</translation>
    </message>
    <message>
        <source>Il file %1 non è una cartella di lavoro .xls valida: il contenitore del file è danneggiato o incompleto.</source>
        <translation>The file %1 is not a valid .xls workbook: the file&apos;s container is damaged or incomplete.</translation>
    </message>
    <message>
        <source>Il file %1 non è una cartella di lavoro .xls valida: non contiene il flusso Workbook con i fogli di lavoro.</source>
        <translation>The file %1 is not a valid .xls workbook: it does not contain the Workbook stream with the worksheets.</translation>
    </message>
    <message>
        <source>Il file %1 non può essere letto: il flusso Workbook dichiara una dimensione superiore al file stesso o al limite di %2 MiB.</source>
        <translation>The file %1 cannot be read: the Workbook stream declares a size larger than the file itself or than the limit of %2 MiB.</translation>
    </message>
    <message>
        <source>Il file %1 è danneggiato: il flusso Workbook non può essere letto per intero.</source>
        <translation>The file %1 is damaged: the Workbook stream cannot be read in full.</translation>
    </message>
    <message>
        <source>è un foglio grafico</source>
        <translation>it is a chart sheet</translation>
    </message>
    <message>
        <source>è un foglio macro</source>
        <translation>it is a macro sheet</translation>
    </message>
    <message>
        <source>è un modulo Visual Basic</source>
        <translation>it is a Visual Basic module</translation>
    </message>
    <message>
        <source>è un foglio di tipo non previsto</source>
        <translation>it is a sheet of an unexpected kind</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 è danneggiata: </source>
        <translation>The workbook %1 is damaged: </translation>
    </message>
    <message>
        <source>Il file %1 non può essere letto: </source>
        <translation>The file %1 cannot be read: </translation>
    </message>
    <message>
        <source> (posizione %1 del flusso Workbook).</source>
        <translation> (position %1 of the Workbook stream).</translation>
    </message>
    <message>
        <source>Il file %1 non è una cartella di lavoro .xls valida: il flusso Workbook non inizia con un record BOF di Excel.</source>
        <translation>The file %1 is not a valid .xls workbook: the Workbook stream does not start with an Excel BOF record.</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 è in formato Excel 5.0/95 o precedente non supportato: salvarla come .xls 97-2003 o .xlsx.</source>
        <translation>The workbook %1 is in the unsupported Excel 5.0/95 or earlier format: save it as .xls 97-2003 or .xlsx.</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 è protetta da password: rimuovere la password e salvarla di nuovo.</source>
        <translation>The workbook %1 is password-protected: remove the password and save it again.</translation>
    </message>
    <message>
        <source>il flusso Workbook termina prima della fine dei dati</source>
        <translation>the Workbook stream ends before the end of the data</translation>
    </message>
    <message>
        <source>un record supera la lunghezza massima di %1 byte</source>
        <translation>a record exceeds the maximum length of %1 bytes</translation>
    </message>
    <message>
        <source>un record supera la fine del flusso Workbook</source>
        <translation>a record runs past the end of the Workbook stream</translation>
    </message>
    <message>
        <source>un record è più corto dei dati che deve contenere</source>
        <translation>a record is shorter than the data it must hold</translation>
    </message>
    <message>
        <source>la tabella delle stringhe condivise è troncata</source>
        <translation>the shared string table is truncated</translation>
    </message>
    <message>
        <source>una cella rimanda a una stringa condivisa che non esiste</source>
        <translation>a cell refers to a shared string that does not exist</translation>
    </message>
    <message>
        <source>Il foglio &quot;%1&quot; di %2 non è un foglio di lavoro (%3).</source>
        <translation>The sheet &quot;%1&quot; of %2 is not a worksheet (%3).</translation>
    </message>
    <message>
        <source>Il primo foglio di %1 non è un foglio di lavoro (%2): spostare al primo posto il foglio con la matrice.</source>
        <translation>The first sheet of %1 is not a worksheet (%2): move the sheet with the matrix to the first place.</translation>
    </message>
    <message>
        <source>la posizione %1 non è valida</source>
        <translation>the position %1 is not valid</translation>
    </message>
    <message>
        <source>la cella di riga %1, colonna %2 è oltre i limiti di un foglio .xls (%3 righe per %4 colonne)</source>
        <translation>the cell at row %1, column %2 is beyond the limits of an .xls sheet (%3 rows by %4 columns)</translation>
    </message>
    <message>
        <source>La lettura di %1 è stata annullata.</source>
        <translation>Reading %1 was cancelled.</translation>
    </message>
    <message>
        <source>la parte %1 non contiene una cartella di lavoro</source>
        <translation>the part %1 contains no workbook</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 è in formato binario .xlsb non supportato: salvarla come .xlsx.</source>
        <translation>The workbook %1 is in the unsupported binary .xlsb format: save it as .xlsx.</translation>
    </message>
    <message>
        <source>manca la parte %1 con la cartella di lavoro</source>
        <translation>the part %1 with the workbook is missing</translation>
    </message>
    <message>
        <source>il foglio &quot;%1&quot; rimanda alla relazione &quot;%2&quot;, assente in %3</source>
        <translation>the sheet &quot;%1&quot; refers to the relationship &quot;%2&quot;, which is missing from %3</translation>
    </message>
    <message>
        <source>%1 di %2 non è un foglio di lavoro%3.</source>
        <translation>%1 of %2 is not a worksheet%3.</translation>
    </message>
    <message>
        <source>: è un foglio grafico</source>
        <translation>: it is a chart sheet</translation>
    </message>
    <message>
        <source>manca la parte %1 %2</source>
        <translation>the part %1 %2 is missing</translation>
    </message>
    <message>
        <source>%1 di %2 non è un foglio di lavoro.</source>
        <translation>%1 of %2 is not a worksheet.</translation>
    </message>
    <message>
        <source>la parte %1 non è un foglio di lavoro</source>
        <translation>the part %1 is not a worksheet</translation>
    </message>
    <message>
        <source>la parte %1 contiene un numero di riga non valido (&quot;%2&quot;)</source>
        <translation>the part %1 contains an invalid row number (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>la riga %1 della parte %2 è oltre i limiti del formato (%3 righe)</source>
        <translation>row %1 of the part %2 is beyond the format&apos;s limits (%3 rows)</translation>
    </message>
    <message>
        <source>la parte %1 contiene un riferimento di cella non valido (&quot;%2&quot;)</source>
        <translation>the part %1 contains an invalid cell reference (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>la parte %1 contiene una cella di tipo sconosciuto (&quot;%2&quot;)</source>
        <translation>the part %1 contains a cell of unknown type (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>la cella %1 della parte %2 è oltre i limiti del formato (%3 righe per %4 colonne)</source>
        <translation>cell %1 of the part %2 is beyond the format&apos;s limits (%3 rows by %4 columns)</translation>
    </message>
    <message>
        <source>rimanda alla stringa condivisa n. %1, ma la tabella delle stringhe ne contiene %2</source>
        <translation>refers to shared string no. %1, but the string table holds %2</translation>
    </message>
    <message>
        <source>la parte %1 annida gli elementi XML oltre %2 livelli</source>
        <translation>the part %1 nests XML elements deeper than %2 levels</translation>
    </message>
    <message>
        <source>la parte %1 contiene una dichiarazione DOCTYPE, che nessuna parte di una cartella di lavoro contiene</source>
        <translation>the part %1 contains a DOCTYPE declaration, which no part of a workbook contains</translation>
    </message>
    <message>
        <source>il contenuto è troncato</source>
        <translation>the content is truncated</translation>
    </message>
    <message>
        <source>un elemento è chiuso da un tag diverso da quello di apertura</source>
        <translation>an element is closed by a tag other than its opening one</translation>
    </message>
    <message>
        <source>carattere o sequenza non valida</source>
        <translation>invalid character or sequence</translation>
    </message>
    <message>
        <source>entità non definita</source>
        <translation>undefined entity</translation>
    </message>
    <message>
        <source>attributo ripetuto</source>
        <translation>repeated attribute</translation>
    </message>
    <message>
        <source>contenuto dopo la fine del documento</source>
        <translation>content after the end of the document</translation>
    </message>
    <message>
        <source>codifica dei caratteri non supportata</source>
        <translation>unsupported character encoding</translation>
    </message>
    <message>
        <source>memoria insufficiente</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>sintassi XML non valida (%1)</source>
        <translation>invalid XML syntax (%1)</translation>
    </message>
    <message>
        <source>memoria insufficiente per leggere la parte %1</source>
        <translation>not enough memory to read the part %1</translation>
    </message>
    <message>
        <source>la parte %1 non può essere decompressa: l&apos;archivio è danneggiato</source>
        <translation>the part %1 cannot be decompressed: the archive is damaged</translation>
    </message>
    <message>
        <source>errore XML nella parte %1 (riga %2, colonna %3): %4</source>
        <translation>XML error in the part %1 (line %2, column %3): %4</translation>
    </message>
    <message>
        <source>la parte %1 supera il limite di %2 una volta decompressa</source>
        <translation>the part %1 exceeds the limit of %2 once decompressed</translation>
    </message>
    <message>
        <source> (%1 più %2 byte per ciascuno dei %3 elementi letti)</source>
        <translation> (%1 plus %2 bytes for each of the %3 elements read)</translation>
    </message>
    <message>
        <source>manca la parte %1</source>
        <translation>the part %1 is missing</translation>
    </message>
    <message>
        <source>la parte %1 non può essere aperta: l&apos;archivio è danneggiato o usa una compressione non supportata</source>
        <translation>the part %1 cannot be opened: the archive is damaged or uses an unsupported compression</translation>
    </message>
    <message>
        <source>la parte %1 è danneggiata (controllo CRC non superato)</source>
        <translation>the part %1 is damaged (CRC check failed)</translation>
    </message>
    <message>
        <source>lettura interrotta</source>
        <translation>reading stopped</translation>
    </message>
    <message>
        <source>la cartella di lavoro contiene più di %1 fogli</source>
        <translation>the workbook contains more than %1 sheets</translation>
    </message>
    <message>
        <source>la parte %1 contiene più di %2 relazioni</source>
        <translation>the part %1 contains more than %2 relationships</translation>
    </message>
    <message>
        <source>la parte %1 contiene un tag, un commento, un&apos;istruzione o un testo XML più lungo di %2</source>
        <translation>the part %1 holds an XML tag, comment, instruction or text longer than %2</translation>
    </message>
    <message>
        <source>prefisso di spazio dei nomi non dichiarato</source>
        <translation>undeclared namespace prefix</translation>
    </message>
    <message>
        <source>dichiarazione di spazio dei nomi non ammessa</source>
        <translation>namespace declaration not allowed</translation>
    </message>
    <message>
        <source>«%1» è un numero con il punto decimale, ma le impostazioni internazionali in uso leggono la virgola: avviare il programma con LC_NUMERIC=C.UTF-8 per leggere i numeri con il punto.</source>
        <translation>“%1” is a number with a decimal point, but the regional settings in use read a decimal comma: start the program with LC_NUMERIC=C.UTF-8 to read numbers with a decimal point.</translation>
    </message>
    <message>
        <source>«%1» è un numero con la virgola decimale, ma le impostazioni internazionali in uso leggono il punto: avviare il programma con LC_NUMERIC=it_IT.UTF-8 per leggere i numeri con la virgola.</source>
        <translation>“%1” is a number with a decimal comma, but the regional settings in use read a decimal point: start the program with LC_NUMERIC=it_IT.UTF-8 to read numbers with a decimal comma.</translation>
    </message>
    <message>
        <source>Prima cella: %1 (%2); celle interessate: %3.</source>
        <translation>First cell: %1 (%2); cells affected: %3.</translation>
    </message>
    <message>
        <source>la riga %1 ha %2 campi, più dei %3 dell&apos;intestazione (riga 1): i valori in più non sono di alcuna colonna</source>
        <translation>line %1 has %2 fields, more than the %3 of the header (line 1): the extra values belong to no column</translation>
    </message>
    <message>
        <source>Il file %1 non è una tabella valida: %2.</source>
        <translation>The file %1 is not a valid table: %2.</translation>
    </message>
</context>
<context>
    <name>Workflow</name>
    <message>
        <source>Scrittura dei file di confronto</source>
        <translation>Writing the comparison files</translation>
    </message>
    <message>
        <source>Scrittura di %1</source>
        <translation>Writing %1</translation>
    </message>
    <message>
        <source>Scrittura dei file</source>
        <translation>Writing the files</translation>
    </message>
    <message>
        <source>Confronto annullato.</source>
        <translation>Comparison cancelled.</translation>
    </message>
    <message>
        <source>Il file %1 non è aggiornato: %2. Eseguire di nuovo il calcolo che lo scrive.</source>
        <translation>The file %1 is not current: %2. Run again the computation that writes it.</translation>
    </message>
    <message>
        <source>matrice come letta</source>
        <translation>matrix as read</translation>
    </message>
    <message>
        <source>matrice trattata (anomali, valori cambiati: %1)</source>
        <translation>matrix treated (outliers, values changed: %1)</translation>
    </message>
    <message>
        <source>mancanti: %1, copertura minima %2</source>
        <translation>missing: %1, minimum coverage %2</translation>
    </message>
    <message>
        <source>senza struttura</source>
        <translation>without a structure</translation>
    </message>
    <message>
        <source>struttura: %1</source>
        <translation>structure: %1</translation>
    </message>
    <message>
        <source>data</source>
        <translation>given</translation>
    </message>
</context>
</TS>
