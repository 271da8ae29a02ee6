<?xml version="1.0" encoding="UTF-8"?>
<!-- Print view of the style file: black on white, no backgrounds, one style
     per page, every parameter of a style in one table. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes"/>
  <xsl:key name="voce" match="VOCE" use="NOMEPAR"/>

  <xsl:template match="/INTERSEZIONI_RASO">
    <html>
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <title>Stili delle intersezioni - stampa</title>
        <style type="text/css">
          body { font-family: "Times New Roman", serif; font-size: 10pt; color: #000000; background: #ffffff; }
          h1 { font-size: 14pt; }
          h2 { font-size: 12pt; border-bottom: 1px solid #000000; page-break-before: always; }
          table { border-collapse: collapse; width: 100%; }
          th, td { border: 1px solid #000000; padding: 1px 4px; text-align: left; }
          td.num { text-align: right; }
        </style>
      </head>
      <body>
        <h1>Stili delle intersezioni a raso</h1>
        <xsl:for-each select="IMPOSTAZIONI">
          <p>
            Incremento <xsl:value-of select="INCREMENTO_SPIN"/>;
            decimali <xsl:value-of select="DECIMALI_SPIN"/>;
            angoli in <xsl:value-of select="UNITA_MISURA_ANGOLI"/>;
            metodo <xsl:value-of select="METODO_COSTRUZIONE"/>;
            tricentrica C.N.R. <xsl:value-of select="TRICENTRICA_CNR"/>.
          </p>
        </xsl:for-each>
        <xsl:for-each select="INTERSEZIONE">
          <h2>Stile <xsl:value-of select="@style"/></h2>
          <p>
            <xsl:value-of select="@desc"/><br/>
            Versione <xsl:value-of select="@version"/>, metodo <xsl:value-of select="@method"/>;
            corsie: immissione <xsl:value-of select="@corsia_imm"/>,
            uscita <xsl:value-of select="@corsia_usc"/>,
            svolta a sinistra <xsl:value-of select="@corsia_sx"/>,
            urbana <xsl:value-of select="@corsia_sx_urbano"/>.
          </p>
          <table>
            <tr><th>Gruppo</th><th>Parametro</th><th>Descrizione</th><th>Valore</th><th>Unit&#224;</th></tr>
            <xsl:for-each select="*/PARAMETRO">
              <tr>
                <td><xsl:value-of select="name(..)"/></td>
                <td><xsl:value-of select="@name"/></td>
                <td><xsl:value-of select="key('voce', @name)/DESC"/></td>
                <td class="num"><xsl:value-of select="."/></td>
                <td><xsl:value-of select="@measUnit"/></td>
              </tr>
            </xsl:for-each>
          </table>
        </xsl:for-each>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
