object cxFilterDialog: TcxFilterDialog
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Custom Filter'
  ClientHeight = 175
  ClientWidth = 414
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  object lblTitle: TLabel
    Left = 8
    Top = 8
    Width = 83
    Height = 13
    Caption = 'Show rows where:'
  end
  object lblColumnCaption: TLabel
    Left = 8
    Top = 28
    Width = 3
    Height = 13
  end
  object bvlLine: TBevel
    Left = 8
    Top = 44
    Width = 398
    Height = 2
    Shape = bsTopLine
  end
  object lblEdit1PlaceHolder: TLabel
    Left = 212
    Top = 54
    Width = 194
    Height = 21
    AutoSize = False
    Visible = False
  end
  object lblEdit2PlaceHolder: TLabel
    Left = 212
    Top = 106
    Width = 194
    Height = 21
    AutoSize = False
    Visible = False
  end
  object lblSingle: TLabel
    Left = 8
    Top = 138
    Width = 200
    Height = 13
  end
  object lblSeries: TLabel
    Left = 8
    Top = 154
    Width = 200
    Height = 13
  end
  object cbOperator1: TcxComboBox
    Left = 8
    Top = 54
    Width = 196
    Height = 21
    Properties.DropDownListStyle = lsFixedList
    TabOrder = 0
  end
  object rbAnd: TcxRadioButton
    Left = 60
    Top = 82
    Width = 50
    Height = 17
    Caption = 'AND'
    Checked = True
    TabOrder = 2
    TabStop = True
  end
  object rbOr: TcxRadioButton
    Left = 120
    Top = 82
    Width = 50
    Height = 17
    Caption = 'OR'
    TabOrder = 3
  end
  object cbOperator2: TcxComboBox
    Left = 8
    Top = 106
    Width = 196
    Height = 21
    Properties.DropDownListStyle = lsFixedList
    TabOrder = 4
  end
  object btnOK: TcxButton
    Left = 250
    Top = 142
    Width = 75
    Height = 25
    Caption = 'Ok'
    Default = True
    ModalResult = 1
    TabOrder = 6
  end
  object btnCancel: TcxButton
    Left = 331
    Top = 142
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 7
  end
end
