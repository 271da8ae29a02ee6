<?xml version="1.0" encoding="UTF-8"?>
<!-- Screen view of the style file: the settings, then one table per style
     with each parameter's code, description, value and unit. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes"/>
  <xsl:key name="voce" match="VOCE" use="NOMEPAR"/>

  <xsl:template match="/INTERSEZIONI_RASO">
    <html>
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <title>Stili delle intersezioni</title>
        <style type="text/css">
          body { font-family: Tahoma, Verdana, sans-serif; font-size: 10pt; color: #1a1a1a; background: #f4f6f8; margin: 16px; }
          h1 { font-size: 15pt; color: #1f4e79; }
          h2 { font-size: 12pt; color: #ffffff; background: #1f4e79; padding: 4px 8px; margin: 24px 0 0 0; }
          p.desc { margin: 0; padding: 4px 8px; background: #dde7f0; }
          table { border-collapse: collapse; margin: 6px 0 4px 0; background: #ffffff; }
          th { background: #c9d7e5; text-align: left; padding: 3px 8px; border: 1px solid #9fb3c8; }
          td { padding: 2px 8px; border: 1px solid #c9d7e5; }
          td.num { text-align: right; font-family: Consolas, monospace; }
          tr.gruppo td { background: #eef3f8; font-weight: bold; }
        </style>
      </head>
      <body>
        <h1>Stili delle intersezioni a raso</h1>
        <xsl:apply-templates select="IMPOSTAZIONI"/>
        <xsl:apply-templates select="INTERSEZIONE"/>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="IMPOSTAZIONI">
    <table>
      <tr><th colspan="2">Impostazioni</th></tr>
      <tr><td>Incremento</td><td class="num"><xsl:value-of select="INCREMENTO_SPIN"/></td></tr>
      <tr><td>Decimali</td><td class="num"><xsl:value-of select="DECIMALI_SPIN"/></td></tr>
      <tr>
        <td>Unit&#224; di misura degli angoli</td>
        <td>
          <xsl:value-of select="UNITA_MISURA_ANGOLI"/>
          <xsl:if test="UNITA_MISURA_ANGOLI/@useAutoCAD = 'Y'"> (dal disegno)</xsl:if>
        </td>
      </tr>
      <tr><td>Metodo di costruzione</td><td><xsl:call-template name="metodo"><xsl:with-param name="codice" select="METODO_COSTRUZIONE"/></xsl:call-template></td></tr>
      <tr><td>Tricentrica C.N.R.</td><td><xsl:call-template name="sino"><xsl:with-param name="v" select="TRICENTRICA_CNR"/></xsl:call-template></td></tr>
    </table>
  </xsl:template>

  <xsl:template match="INTERSEZIONE">
    <h2>Stile <xsl:value-of select="@style"/></h2>
    <p class="desc">
      <xsl:value-of select="@desc"/>
      (versione <xsl:value-of select="@version"/>, metodo <xsl:call-template name="metodo"><xsl:with-param name="codice" select="@method"/></xsl:call-template>)
    </p>
    <table>
      <tr><th>Corsia di immissione</th><th>Corsia di uscita</th><th>Corsia di svolta a sinistra</th><th>Svolta a sinistra urbana</th></tr>
      <tr>
        <td><xsl:call-template name="sino"><xsl:with-param name="v" select="@corsia_imm"/></xsl:call-template></td>
        <td><xsl:call-template name="sino"><xsl:with-param name="v" select="@corsia_usc"/></xsl:call-template></td>
        <td><xsl:call-template name="sino"><xsl:with-param name="v" select="@corsia_sx"/></xsl:call-template></td>
        <td><xsl:call-template name="sino"><xsl:with-param name="v" select="@corsia_sx_urbano"/></xsl:call-template></td>
      </tr>
    </table>
    <table>
      <tr><th>Parametro</th><th>Descrizione</th><th>Valore</th><th>Unit&#224;</th></tr>
      <xsl:apply-templates select="ISOLA|RACCORDO|CORSIAIMM|CORSIAUSC|CORSIASX"/>
    </table>
  </xsl:template>

  <xsl:template match="ISOLA|RACCORDO|CORSIAIMM|CORSIAUSC|CORSIASX">
    <tr class="gruppo">
      <td colspan="4">
        <xsl:choose>
          <xsl:when test="self::ISOLA">Isola</xsl:when>
          <xsl:when test="self::RACCORDO">Raccordi</xsl:when>
          <xsl:when test="self::CORSIAIMM">Corsia di immissione</xsl:when>
          <xsl:when test="self::CORSIAUSC">Corsia di uscita</xsl:when>
          <xsl:otherwise>Corsia di svolta a sinistra</xsl:otherwise>
        </xsl:choose>
      </td>
    </tr>
    <xsl:for-each select="PARAMETRO">
      <tr>
        <td><xsl:value-of select="@name"/></td>
        <td><xsl:value-of select="key('voce', @name)/DESC"/></td>
        <td class="num"><xsl:value-of select="."/></td>
        <td><xsl:value-of select="@measUnit"/></td>
      </tr>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="sino">
    <xsl:param name="v"/>
    <xsl:choose>
      <xsl:when test="$v = 'Y'">s&#236;</xsl:when>
      <xsl:otherwise>no</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="metodo">
    <xsl:param name="codice"/>
    <xsl:choose>
      <xsl:when test="$codice = 'F'">Francese</xsl:when>
      <xsl:when test="$codice = 'CH'">Svizzero</xsl:when>
      <xsl:otherwise><xsl:value-of select="$codice"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
